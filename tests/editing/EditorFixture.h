#pragma once

#include "editing/VexScriptEditor.h"

#include <QKeySequence>
#include <QTest>

// Texts with the caret and the selection marked: "|" is the caret, "^" the other end of the
// selection ("a^bc|d" selects "bc" with the caret after it).
inline void setMarkedText(TVexScriptEditor& editor, QString text) {
    const qsizetype anchorMark = text.indexOf(u'^');
    text.remove(u'^');
    const qsizetype caret = text.indexOf(u'|');
    text.remove(u'|');
    const qsizetype anchor =
        anchorMark < 0 ? caret : (anchorMark < caret ? anchorMark : anchorMark - 1);
    editor.SetScriptText(text);
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(int(anchor));
    cursor.setPosition(int(caret), QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

inline QString markedText(const TVexScriptEditor& editor) {
    QString text = editor.toPlainText();
    const QTextCursor cursor = editor.textCursor();
    const int caret = cursor.position();
    const int anchor = cursor.anchor();
    if (anchor != caret) {
        text.insert(std::max(anchor, caret), anchor > caret ? u'^' : u'|');
        text.insert(std::min(anchor, caret), anchor > caret ? u'|' : u'^');
    } else {
        text.insert(caret, u'|');
    }
    return text;
}

// Presses keys given as words separated by blanks: a single character is typed ("(", "x"),
// anything longer is a key name ("Return", "Shift+Tab", "Ctrl+Delete", "Space").
inline void pressKeys(QWidget* widget, const QString& keys) {
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
        if (key.size() == 1) {
            QTest::keyClick(widget, key[0].toLatin1());
            continue;
        }
        const QKeyCombination combination = QKeySequence::fromString(key)[0];
        QTest::keyClick(widget, combination.key(), combination.keyboardModifiers());
    }
}
