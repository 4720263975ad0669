#include "agent/save_round.h"
#include "tests/native/support/saved_documents.h"

#include <gtest/gtest.h>

using SaveRound = SavedDocuments;
using agent::DestinationState;
using Copies = std::vector<std::pair<std::string, std::string>>;

// A save made while the destination is away waits in the profile, and is
// copied, from the file as it is then, at the first round that finds the
// destination back; no destination folder is made meanwhile.
TEST_F(SaveRound, ASaveDuringAnAbsenceIsCopiedOnReturn)
{
    files.AddFolder(P("/profile"), false);
    agent::WaitingSaves waiting(P("/profile"), files);
    const std::string list = P("/profile/Corvane Backup/saves waiting.txt");
    agent::RunSaveRound(*saved, DestinationState::Away, {{P("/u/docs/a.txt")}, {}}, waiting, files);
    EXPECT_EQ(P("/u/docs/a.txt") + "\r\n", files.bytes[list]);
    EXPECT_FALSE(files.Facts(mirror));

    files.AddFile(P("/u/docs/a.txt"), 200);
    agent::WaitingSaves afterwards(P("/profile"), files);
    const agent::SaveRoundOutcome outcome =
        agent::RunSaveRound(*saved, DestinationState::There, {}, afterwards, files);
    EXPECT_EQ((Copies{{P("/u/docs/a.txt"), mirror + P("/a.txt")}}), files.copies);
    EXPECT_EQ(std::chrono::seconds(200), files.Facts(mirror + P("/a.txt"))->lastWrite);
    EXPECT_TRUE(outcome.walked);
    EXPECT_FALSE(files.Facts(list));
}

// A walk after a gap in the watching copies the saves whose copy is behind,
// and so does a folder moved into a source; a file source's folder is looked
// at for that file only. Walks wait while the destination is away.
TEST_F(SaveRound, WalksCopyWhatTheWatchMissed)
{
    files.AddFile(mirror + P("/a.txt"), 100);
    files.AddFile(P("/u/docs/sub/b.JPG"), 150);
    files.AddFile(P("/u/docs/moved/in/x.txt"), 100);
    agent::WaitingSaves waiting("", files);
    const std::vector<agent::WatchedFolder> walks = {{P("/u/docs/sub"), true, {}}};
    EXPECT_FALSE(
        agent::RunSaveRound(*saved, DestinationState::NotOurs, {{}, walks}, waiting, files).walked);
    EXPECT_TRUE(files.copies.empty());
    agent::RunSaveRound(*saved, DestinationState::There, {{P("/u/docs/moved")}, walks}, waiting,
                        files);
    EXPECT_EQ((Copies{{P("/u/docs/moved/in/x.txt"), mirror + P("/moved/in/x.txt")},
                      {P("/u/docs/sub/b.JPG"), mirror + P("/sub/b.JPG")}}),
              files.copies);
    files.AddFile(P("/u/docs/a.txt"), 300);
    files.AddFile(P("/u/docs/new.txt"), 300);
    EXPECT_EQ(std::vector<std::string>{P("/u/docs/a.txt")},
              agent::FilesBehind(*saved, {P("/u/docs"), false, {"a.txt"}}, files));
}
