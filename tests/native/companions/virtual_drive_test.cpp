#include "companions/virtual_drive.h"
#include "tests/native/support/install.h"

#include <gtest/gtest.h>

namespace
{

// Drive letters as a table; records what was defined and removed.
struct FakeLetters : companions::DriveLetters
{
    std::uint32_t used = 1u << ('C' - 'A');
    std::map<char, std::string> targets;
    bool refuse = false;

    std::uint32_t Used() override { return used; }
    std::string TargetOf(char letter) override { return targets[letter]; }
    bool Define(char letter, const std::string& folder) override
    {
        if (!refuse)
            targets[letter] = "\\??\\" + folder;
        return !refuse;
    }
    bool Remove(char letter, const std::string&) override
    {
        targets.erase(letter);
        return !refuse;
    }
};

} // namespace

// The destination's letter goes; otherwise it gets the first free letter
// from Z: down, as subst gives them.
TEST(VirtualDrive, TogglesTheLetterOfTheSavedDestination)
{
    Install install;
    const std::string here = install.Path();
    const auto toggle = [&](FakeLetters& letters, const std::string& destination) {
        install.Write(kDataFile, destination);
        const Message told = companions::ToggleVirtualDrive(InstallDirectory(here), letters,
                                                            platform::LocalFiles(), {});
        EXPECT_EQ("Corvane Backup", told.caption);
        EXPECT_EQ(0x40u, told.type);
        return told.text;
    };
    FakeLetters letters;
    letters.used |= 1u << ('Z' - 'A');
    letters.targets['Y'] = "\\??\\D:\\Other";
    EXPECT_EQ("Your backup folder " + here + " is now drive X:.", toggle(letters, here));
    EXPECT_EQ("\\??\\" + here, letters.targets['X']);
    // Letter case and a closing backslash name the same folder.
    std::string upper = here;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    letters.targets['X'] = "\\??\\" + upper + "\\";
    EXPECT_EQ("Drive X: no longer shows your backup folder.", toggle(letters, here));
    EXPECT_EQ(0u, letters.targets.count('X'));

    EXPECT_EQ("Choose a folder to back up to first.", toggle(letters, ""));
    EXPECT_EQ("Your backup folder " + here + "-gone cannot be found.",
              toggle(letters, here + "-gone"));
    letters.refuse = true;
    EXPECT_EQ("Your backup folder " + here + " cannot be given a drive letter.",
              toggle(letters, here));
    letters.targets['Q'] = "\\??\\" + here;
    EXPECT_EQ("Drive Q: cannot be removed.", toggle(letters, here));
    // A share's letter names it in the object namespace's own way.
    letters.refuse = false;
    letters.targets['P'] = "\\??\\UNC\\nas\\b\\Backup";
    EXPECT_EQ("Drive P: no longer shows your backup folder.",
              toggle(letters, "\\\\nas\\b\\Backup"));
}
