#include "edit/RecentFiles.h"

#include <gtest/gtest.h>

using zev::edit::RecentFiles;

TEST(RecentFiles, KeepTheLastEightNewestFirstOnceEach) {
    RecentFiles recent({"/m/b.mdb", "", "/m/a.mdb", "/m/b.mdb"});
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/m/b.mdb", "/m/a.mdb"}));
    recent.add("/m/a.mdb");
    EXPECT_EQ(recent.files().front(), "/m/a.mdb");
    for (int i = 0; i < 10; ++i)
        recent.add("/m/" + std::to_string(i) + ".mdb");
    ASSERT_EQ(recent.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.files().front(), "/m/9.mdb");
    EXPECT_EQ(recent.files().back(), "/m/2.mdb");
    recent.remove("/m/5.mdb");
    EXPECT_EQ(recent.files().size(), RecentFiles::kMaxFiles - 1);

    EXPECT_EQ(RecentFiles::menuText(0, "/m/night raid.mdb"), "&1 night raid.mdb");
    EXPECT_EQ(RecentFiles::menuText(7, "/m/R&D.mdb"), "&8 R&&D.mdb");
}
