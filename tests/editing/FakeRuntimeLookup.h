#pragma once

#include "editing/RuntimeLookup.h"
#include "runtime/VexScript.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

// A runtime of names only: the listed words and globals a test declares. Runs are recorded.
class TFakeRuntimeLookup final : public TRuntimeLookup {
public:
    std::vector<std::string> Globals;
    std::vector<std::string> ListedWords;
    std::vector<std::string> Executed;

    bool IsGlobalVariable(std::string_view name) const override { return contains(Globals, name); }
    bool IsListedWord(std::string_view name) const override { return contains(ListedWords, name); }
    std::vector<std::string> CompletionCandidates(std::string_view prefix) const override {
        std::vector<std::string> words = ListedWords;
        std::stable_sort(
            words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return vex::CompareText(a, b) < 0; });
        std::vector<std::string> names;
        for (const std::vector<std::string>* list : {&std::as_const(words), &Globals})
            for (const std::string& name : *list)
                if (name.size() >= prefix.size() &&
                    vex::SameText(std::string_view(name).substr(0, prefix.size()), prefix))
                    names.push_back(name);
        return names;
    }
    bool IsBlank(std::string_view source) const override {
        return source.find_first_not_of(" \t\r\n") == std::string_view::npos;
    }
    vex::TRunResult Execute(std::string_view source) override {
        Executed.emplace_back(source);
        vex::TRunResult result;
        result.Text = "ran " + std::string(source);
        result.Number = static_cast<double>(Executed.size());
        return result;
    }

private:
    static bool contains(const std::vector<std::string>& names, std::string_view name) {
        for (const std::string& entry : names)
            if (vex::SameText(entry, name))
                return true;
        return false;
    }
};
