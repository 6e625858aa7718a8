#include "editing/HelpPages.h"

#include "editing/HelpTopics.h"
#include "platform/CodePage.h"
#include "runtime/VexScript.h"
#include "runtime/VexWords.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// One page: a word or a constant.
struct TTopic {
    QString Name;
    QString Topic;
    QString Category;
    // The syntax line and the argument range; empty for constants.
    QString Syntax;
    QString Arguments;
    QString Example;
    QString HelpText;
};

QString text(const std::string& bytes) {
    return fromWindows1252(QByteArray::fromStdString(bytes));
}

QString argumentRange(int min, int max) {
    if (max == 0)
        return QStringLiteral("none");
    if (min == max)
        return QString::number(min);
    return QStringLiteral("%1 to %2").arg(min).arg(max);
}

std::vector<TTopic> collectTopics(const vex::TLanguageInterpreter& context) {
    std::vector<TTopic> topics;
    for (int number = 1; number <= context.WordCount(); ++number) {
        if (!context.IsWordListed(number))
            continue;
        const vex::TSyntax* syntax = context.WordSyntaxOf(number);
        const std::string name = context.WordName(number);
        topics.push_back({text(name), HelpTopicOf(text(name)), text(context.WordCategory(number)),
                          text(vex::BuildSyntaxLine(name, syntax->MinArgs, syntax->MaxArgs)),
                          argumentRange(syntax->MinArgs, syntax->MaxArgs), text(syntax->Example),
                          text(syntax->HelpText)});
    }
    const std::vector<std::string> categories = context.Categories();
    for (const vex::TExtraEntry& constant : context.Constants()) {
        const bool known =
            constant.Category >= 0 && constant.Category < static_cast<int>(categories.size());
        topics.push_back(
            {text(constant.Name),
             text(constant.Name),
             known ? text(categories[static_cast<std::size_t>(constant.Category)]) : QString(),
             {},
             {},
             text(constant.Example),
             text(constant.HelpText)});
    }
    return topics;
}

QString escaped(const QString& plain) {
    return plain.toHtmlEscaped();
}

QString page(const TTopic& topic) {
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                  "<body>\n<p><a href=\"index.html\">Index</a></p>\n<h1>%1</h1>\n")
                       .arg(escaped(topic.Name));
    if (!topic.Syntax.isEmpty())
        html += QStringLiteral("<p><b>Syntax:</b> <code>%1</code></p>\n"
                               "<p><b>Arguments:</b> %2</p>\n")
                    .arg(escaped(topic.Syntax), topic.Arguments);
    if (!topic.Category.isEmpty())
        html += QStringLiteral("<p><b>Category:</b> %1</p>\n").arg(escaped(topic.Category));
    if (!topic.Example.isEmpty())
        html += QStringLiteral("<h2>Example</h2>\n<pre>%1</pre>\n").arg(escaped(topic.Example));
    if (!topic.HelpText.isEmpty())
        html += QStringLiteral("<h2>Description</h2>\n<p>%1</p>\n")
                    .arg(escaped(topic.HelpText).replace(u'\n', QStringLiteral("<br>")));
    return html + QStringLiteral("</body></html>\n");
}

QString indexPage(const std::vector<TTopic>& topics, const std::vector<QString>& categories) {
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>VexScript words"
                                  "</title></head><body>\n<h1>VexScript words</h1>\n");
    for (const QString& category : categories) {
        html += QStringLiteral("<h2>%1</h2>\n<p>")
                    .arg(escaped(category.isEmpty() ? QStringLiteral("Other") : category));
        for (const TTopic& topic : topics)
            if (topic.Category == category)
                html += QStringLiteral("<a href=\"%1\">%2</a> &nbsp; ")
                            .arg(HelpPageFile(topic.Topic), escaped(topic.Name));
        html += QStringLiteral("</p>\n");
    }
    return html + QStringLiteral("</body></html>\n");
}

// The categories in the registry's order, then any others the topics name.
std::vector<QString> categoriesOf(const vex::TLanguageInterpreter& context,
                                  const std::vector<TTopic>& topics) {
    std::vector<QString> categories;
    for (const std::string& category : context.Categories())
        categories.push_back(text(category));
    for (const TTopic& topic : topics)
        if (std::find(categories.begin(), categories.end(), topic.Category) == categories.end())
            categories.push_back(topic.Category);
    std::erase_if(categories, [&](const QString& category) {
        return std::none_of(topics.begin(), topics.end(),
                            [&](const TTopic& topic) { return topic.Category == category; });
    });
    return categories;
}

bool writeFile(const QDir& directory, const QString& name, const QString& contents,
               QString& error) {
    QFile file(directory.filePath(name));
    const QByteArray bytes = contents.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    error = QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString());
    return false;
}

// Only a directory that holds nothing but help pages is emptied first.
bool clearOldPages(QDir& directory, QString& error) {
    const QStringList entries = directory.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const bool onlyPages = std::all_of(entries.begin(), entries.end(), [](const QString& name) {
        return name.endsWith(QLatin1String(".html")) || name == QLatin1String(HelpTopicList);
    });
    if (!onlyPages) {
        error = QStringLiteral("%1 holds other files than help pages").arg(directory.path());
        return false;
    }
    for (const QString& name : entries)
        directory.remove(name);
    return true;
}

} // namespace

bool WriteHelpPages(const vex::TLanguageInterpreter& context, const QString& directoryPath,
                    QString& error) {
    QDir directory(directoryPath);
    if (!directory.mkpath(QStringLiteral("."))) {
        error = QStringLiteral("cannot create %1").arg(directoryPath);
        return false;
    }
    if (!clearOldPages(directory, error))
        return false;
    std::vector<TTopic> topics = collectTopics(context);
    std::stable_sort(topics.begin(), topics.end(), [](const TTopic& a, const TTopic& b) {
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    });
    // A topic whose page another took (a constant named like a word) is left out.
    std::set<QString> files;
    std::erase_if(topics, [&](const TTopic& topic) {
        return !files.insert(HelpPageFile(topic.Topic)).second;
    });
    QString list;
    for (const TTopic& topic : topics) {
        if (!writeFile(directory, HelpPageFile(topic.Topic), page(topic), error))
            return false;
        list += topic.Name + u'\t' + HelpPageFile(topic.Topic) + u'\n';
    }
    return writeFile(directory, QStringLiteral("index.html"),
                     indexPage(topics, categoriesOf(context, topics)), error) &&
           writeFile(directory, QLatin1String(HelpTopicList), list, error);
}
