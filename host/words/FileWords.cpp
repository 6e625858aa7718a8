// Files and directories: words 372 to 390.
//
// Their failures carry operating-system detail: the system's own wording of the cause, in the
// system's language, and full paths. Such a message is fine inside a larger run, where it names
// the word and the path, but as the whole answer of a run it is not one to show a user as it
// stands; so when one of these words is the root of a run, the runtime reports the fixed text
// "Error in "<word>": the operation could not be completed." instead (the group of word numbers
// 372 to 390 exists for that). Inside a larger text the error carries the word, the path and the
// cause.
//
// Paths are script texts (Windows-1252) and are handed to the system in its encoding, UTF-8;
// names the system gives back (listings, directories) are converted to the script's code page,
// and one that code page cannot hold is an error rather than a name that leads nowhere. Paths are
// relative to the current directory. Texts are read and written exactly as they are (no line-end
// conversion). Only regular files are read, and no more of them than the longest text holds
// (host/TextFiles.h). WriteTextFile replaces a file atomically (platform/AtomicWrite.h), so a
// failure midway never leaves a half-written file, and the file keeps its permissions.

#include "host/ScriptCodePage.h"
#include "host/TextFiles.h"
#include "host/words/WordSupport.h"
#include "host/words/WordTables.h"
#include "platform/AtomicWrite.h"

#include "runtime/VexScript.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace vex::host {

namespace fs = std::filesystem;

namespace {

fs::path PathArg(TLanguageInterpreter& c, TCallNode& n, int i) {
    const TText path = TextArg(c, n, i);
    if (path.empty()) {
        ArgumentError(c, n, i, "the path is empty");
    }
    return fs::path(ScriptToUtf8(path.view()));
}

// A name from the system as a script text.
std::string ScriptName(const TLanguageInterpreter& c, const TCallNode& n, const fs::path& name) {
    std::optional<std::string> script = Utf8ToScript(name.string());
    if (!script) {
        WordError(c, n,
                  "the name \"" + name.string() +
                      "\" holds characters the script's code page (Windows-1252) cannot hold");
    }
    return std::move(*script);
}

[[noreturn]] void FileError(const TLanguageInterpreter& c, const TCallNode& n,
                            std::string_view what, const fs::path& path, std::string_view cause) {
    const std::string name = Utf8ToScript(path.string()).value_or(path.string());
    WordError(c, n, std::string(what) + " \"" + name + "\": " + std::string(cause));
}

[[noreturn]] void FileError(const TLanguageInterpreter& c, const TCallNode& n,
                            std::string_view what, const fs::path& path,
                            const std::error_code& error) {
    FileError(c, n, what, path, error.message());
}

[[noreturn]] void FileError(const TLanguageInterpreter& c, const TCallNode& n, const fs::path& path,
                            const TFileFailure& failure) {
    FileError(c, n, failure.What, path, failure.Cause);
}

double FileExists(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    std::error_code error;
    return fs::is_regular_file(PathArg(c, n, 1), error);
}

double DirectoryExists(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    std::error_code error;
    return fs::is_directory(PathArg(c, n, 1), error);
}

double ReadTextFile(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::string contents;
    TFileFailure failure;
    if (!ReadWholeFile(path, contents, failure)) {
        FileError(c, n, path, failure);
    }
    text = TText(contents);
    return 0;
}

void AppendAll(const TLanguageInterpreter& c, const TCallNode& n, const fs::path& path,
               std::string_view contents) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    if (!file) {
        FileError(c, n, "cannot open", path, std::strerror(errno));
    }
    file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    file.close();
    if (!file) {
        FileError(c, n, "cannot write", path, std::strerror(errno));
    }
}

// A failure names the file the script named, never the temporary file beside it.
double WriteTextFile(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    const TText contents = TextArg(c, n, 2);
    const zentaro::platform::TWriteResult written =
        zentaro::platform::WriteFileAtomically(path.string(), contents.view());
    switch (written.FailedStep) {
    case zentaro::platform::TWriteStep::None:
        return static_cast<double>(contents.size());
    case zentaro::platform::TWriteStep::Create:
        FileError(c, n, "cannot open", path, written.Error);
    case zentaro::platform::TWriteStep::Write:
        FileError(c, n, "cannot write", path, written.Error);
    case zentaro::platform::TWriteStep::Replace:
        FileError(c, n, "cannot replace", path, written.Error);
    }
    return 0;
}

double AppendTextFile(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    const TText contents = TextArg(c, n, 2);
    AppendAll(c, n, path, contents.view());
    return static_cast<double>(contents.size());
}

double ReadFileLine(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    const auto i = static_cast<std::size_t>(IntegerArg(c, n, 2, 1, INT32_MAX));
    std::string line;
    TFileFailure failure;
    if (!ReadFileLineAt(path, i, line, failure)) {
        FileError(c, n, path, failure);
    }
    text = TText(line);
    return 0;
}

double FileLineCount(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::size_t count = 0;
    TFileFailure failure;
    if (!CountFileLines(path, count, failure)) {
        FileError(c, n, path, failure);
    }
    return static_cast<double>(count);
}

double DeleteFile(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    if (fs::is_directory(path, error)) {
        FileError(c, n, "cannot delete", path, "it is a directory");
    }
    const bool removed = fs::remove(path, error);
    if (error) {
        FileError(c, n, "cannot delete", path, error);
    }
    return removed;
}

double RenameFile(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path from = PathArg(c, n, 1);
    const fs::path to = PathArg(c, n, 2);
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        FileError(c, n, "cannot rename", from, error);
    }
    return 1;
}

double CopyFile(int count, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path from = PathArg(c, n, 1);
    const fs::path to = PathArg(c, n, 2);
    const bool overwrite = count >= 3 && TruthArg(c, n, 3);
    std::error_code error;
    fs::copy_file(from, to,
                  overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none, error);
    if (error) {
        FileError(c, n, "cannot copy", from, error);
    }
    return 1;
}

double FileSize(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) {
        FileError(c, n, "cannot measure", path, error);
    }
    return static_cast<double>(size);
}

double FileTime(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    const auto time = fs::last_write_time(path, error);
    if (error) {
        FileError(c, n, "cannot read the time of", path, error);
    }
    const auto since1970 = std::chrono::file_clock::to_sys(time).time_since_epoch();
    return std::chrono::duration<double>(since1970).count();
}

double CreateDirectory(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    const bool created = fs::create_directories(path, error);
    if (error) {
        FileError(c, n, "cannot create", path, error);
    }
    return created;
}

double RemoveDirectory(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        FileError(c, n, "cannot remove", path, "it is no directory");
    }
    fs::remove(path, error);
    if (error) {
        FileError(c, n, "cannot remove", path, error);
    }
    return 1;
}

double ListFiles(int count, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    const std::string extension = count >= 2 ? TextArg(c, n, 2).str() : std::string();
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error) &&
            (extension.empty() || it->path().extension() == extension)) {
            names.push_back(ScriptName(c, n, it->path().filename()));
        }
    }
    if (error) {
        FileError(c, n, "cannot list", path, error);
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) {
        joined.append(joined.empty() ? "" : "\n").append(name);
    }
    text = TText(joined);
    return static_cast<double>(names.size());
}

double CurrentDirectory(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    std::error_code error;
    const fs::path path = fs::current_path(error);
    if (error) {
        WordError(c, n, "cannot read the current directory: " + error.message());
    }
    text = TText(ScriptName(c, n, path));
    return 0;
}

double ChangeDirectory(int, TCallNode& n, TText&, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    fs::current_path(path, error);
    if (error) {
        FileError(c, n, "cannot change to", path, error);
    }
    return 1;
}

double TempDirectory(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    std::error_code error;
    const fs::path path = fs::temp_directory_path(error);
    if (error) {
        WordError(c, n, "cannot find the directory for temporary files: " + error.message());
    }
    text = TText(ScriptName(c, n, path));
    return 0;
}

double AbsolutePath(int, TCallNode& n, TText& text, TLanguageInterpreter& c) {
    const fs::path path = PathArg(c, n, 1);
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (error) {
        FileError(c, n, "cannot resolve", path, error);
    }
    text = TText(ScriptName(c, n, absolute.lexically_normal()));
    return 0;
}

// clang-format off
const TWordRow kRows[] = {
    {wnErrorGroupFirst, "FileExists",      "Files", FileExists,       1, 1, "1 when a file (not a directory) of that path exists, else 0.", "FileExists([data.txt])"},
    {373, "DirectoryExists",  "Files", DirectoryExists,  1, 1, "1 when a directory of that path exists, else 0.", "DirectoryExists([results])"},
    {374, "ReadTextFile",     "Files", ReadTextFile,     1, 1, "The whole contents of a file as a text, bytes as they are.", "ReadTextFile([data.txt])", true},
    {375, "WriteTextFile",    "Files", WriteTextFile,    2, 2, "Replaces a file with a text, atomically; gives the number of bytes written.", "WriteTextFile([out.txt],Concat([n=],n,NewLine))"},
    {376, "AppendTextFile",   "Files", AppendTextFile,   2, 2, "Appends a text to a file (created when missing); gives the number of bytes written.", "AppendTextFile([log.txt],Concat(t,NewLine))"},
    {377, "ReadFileLine",     "Files", ReadFileLine,     2, 2, "Line i (from 1) of a text file, without its line end; empty after the last line.", "ReadFileLine([data.txt],2)", true},
    {378, "FileLineCount",    "Files", FileLineCount,    1, 1, "Number of lines of a text file.", "FileLineCount([data.txt])"},
    {379, "DeleteFile",       "Files", DeleteFile,       1, 1, "Deletes a file; gives 1 when it existed, else 0.", "DeleteFile([out.txt])"},
    {380, "RenameFile",       "Files", RenameFile,       2, 2, "Renames or moves a file, replacing a file of the new name.", "RenameFile([a.txt],[b.txt])"},
    {381, "CopyFile",         "Files", CopyFile,         2, 3, "Copies a file; an existing target is an error unless the third argument is true.", "CopyFile([a.txt],[b.txt],1)"},
    {382, "FileSize",         "Files", FileSize,         1, 1, "Size of a file in bytes.", "FileSize([data.txt])"},
    {383, "FileTime",         "Files", FileTime,         1, 1, "Time of the last change of a file, in seconds since 1 January 1970 (UTC).", "FileTime([data.txt])"},
    {384, "CreateDirectory",  "Files", CreateDirectory,  1, 1, "Creates a directory and any missing parents; gives 1 when it was created, 0 when it existed.", "CreateDirectory([results/run1])"},
    {385, "RemoveDirectory",  "Files", RemoveDirectory,  1, 1, "Removes an empty directory.", "RemoveDirectory([results/run1])"},
    {386, "ListFiles",        "Files", ListFiles,        1, 2, "Names of the files in a directory, sorted, one per line, optionally only those with an extension such as .txt; gives their number.", "ListFiles([.],[.vex])", true},
    {387, "CurrentDirectory", "Files", CurrentDirectory, 0, 0, "The current directory, against which relative paths are resolved.", "CurrentDirectory", true},
    {388, "ChangeDirectory",  "Files", ChangeDirectory,  1, 1, "Makes a directory the current directory.", "ChangeDirectory([results])"},
    {389, "TempDirectory",    "Files", TempDirectory,    0, 0, "The directory for temporary files.", "TempDirectory", true},
    {wnErrorGroupLast, "AbsolutePath",    "Files", AbsolutePath,     1, 1, "A path made absolute against the current directory, with . and .. resolved.", "AbsolutePath([data.txt])", true},
};
// clang-format on

} // namespace

std::span<const TWordRow> FileWordRows() {
    return kRows;
}

} // namespace vex::host
