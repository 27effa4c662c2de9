// What the user does in the fakes of the commands that save into a folder:
// picks a folder (or cancels), watches the percentages, and answers the
// overwrite questions in the order given.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "operations/save_window.h"

namespace quillbox::testing {

class TSaveChoices {
public:
    // Chosen empty: the folder browser is cancelled.
    bool PickFolder(std::string& folder)
    {
        FolderOffered = folder;
        if (Chosen.empty()) return false;
        folder = Chosen;
        return true;
    }
    void RecordProgress(const std::string& text, int position)
    {
        Progress.push_back(text);
        EXPECT_EQ(std::stoi(text), position);
    }
    TOverwriteAnswer NextAnswer(const std::string& fileName)
    {
        Asked.push_back(fileName);
        EXPECT_FALSE(Answers.empty());
        if (Answers.empty()) return TOverwriteAnswer::Cancel;
        const TOverwriteAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::string Chosen, FolderOffered;
    std::vector<std::string> Progress, Asked;
    std::deque<TOverwriteAnswer> Answers;
};

// A folder named "target" in folder, made and chosen in choices; its path.
inline std::filesystem::path ChooseTargetFolder(const std::filesystem::path& folder, TSaveChoices& choices)
{
    const std::filesystem::path target = folder / "target";
    std::filesystem::create_directories(target);
    choices.Chosen = target.string();
    return target;
}

}  // namespace quillbox::testing
