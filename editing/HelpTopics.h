#pragma once

#include <QString>

// How a word finds its help page.
//
// Every listed word has a page under its own name as topic, except the operators, whose names
// are not usable as topic names: each has the topic name of OperatorTopics. Topics compare
// without regard to the case of ASCII letters, and a topic's page is the file HelpPageFile(topic)
// in the help directory.

struct TOperatorTopic {
    const char* Operator;
    const char* Topic;
};

// The operators and the topic names of their pages.
inline constexpr TOperatorTopic OperatorTopics[] = {
    {":=", "EqualsWith"},
    {"<=", "SMALLEROREQUALTO"},
    {"+", "Add"},
    {"-", "Minus"},
    {"*", "Multiply"},
    {"/", "DivideBy"},
    {"|", "IsOr"},
    {"&", "IsAnd"},
    {"<", "ISSMALLERTHAN"},
    {"<>", "ISUNEQUALTO"},
    {"=", "ISEQUALTO"},
    {">", "ISHIGHERTHAN"},
    {">=", "ISHIGHEROREQUALTO"},
};

// The topic of a word list entry: the operator's topic name, or the entry itself.
QString HelpTopicOf(const QString& entry);

// The file name of a topic's page: the topic's Windows-1252 bytes with ASCII letters in lower
// case, every byte other than a letter or a digit written as "_" and two hex digits, and ".html"
// ("ISUNEQUALTO" and "IsUnequalTo" give "isunequalto.html", "Do_It" gives "do_5fit.html").
QString HelpPageFile(const QString& topic);
