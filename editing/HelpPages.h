#pragma once

#include <QString>

namespace vex {
class TLanguageInterpreter;
}

// The help pages of a word registry: HTML files that the help window shows.
//
// WriteHelpPages writes, into one directory,
//   - one page per listed word and per constant, named HelpPageFile(topic) (HelpTopics.h), with
//     the name, the syntax line, the argument range, the category, the example and the help text;
//   - index.html, every topic by category, each linked to its page;
//   - topics.txt, one line per topic in name order: the name shown, a tab, the page's file name
//     (UTF-8), which the help window's index and search read.
// The build writes the standard words' pages beside the executables (help/), and installs them
// into the data directory (share/zentaro/help).

// The name of the list of topics in a help directory.
inline constexpr char HelpTopicList[] = "topics.txt";

// Replaces the directory's pages with those of the registry's listed words and constants; creates
// the directory when missing. A directory that holds other files than help pages is left as it
// is. On failure `error` says why and the result is false.
bool WriteHelpPages(const vex::TLanguageInterpreter& context, const QString& directory,
                    QString& error);
