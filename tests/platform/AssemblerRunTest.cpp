#include "PlatformTestSupport.h"

#include "build/AssemblerRun.h"
#include "build/MissionPackage.h"
#include "build/SkyGround.h"
#include "common/FileIo.h"
#include "platform/QtProgramRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;
using namespace zev;
using build::AssemblerOutcome;
using build::AssemblerRun;
using common::MessageIcon;
using common::RecordingReporter;
using common::ReportedMessage;

namespace {

class RecordingObserver : public build::AssemblerObserver {
public:
    void labelsChanged(const build::AssemblerLabels& labels) override {
        if (currentFiles.empty() || currentFiles.back() != labels.currentFile)
            currentFiles.push_back(labels.currentFile);
        last = labels;
    }
    void progressChanged(int value) override { progress.push_back(value); }
    void betweenFiles() override {
        ++filesDone;
        if (onBetweenFiles)
            onBetweenFiles();
    }

    std::vector<std::string> currentFiles;
    std::vector<int> progress;
    build::AssemblerLabels last;
    int filesDone = 0;
    std::function<void()> onBetweenFiles;
};

std::vector<std::string> memberNames(const build::PackageContents& contents) {
    std::vector<std::string> names;
    for (const auto& m : contents.members)
        names.push_back(m.name);
    return names;
}

build::PackageContents readPackageFile(const fs::path& path) {
    const auto image = common::readWholeFile(path);
    EXPECT_TRUE(image.has_value()) << path;
    return build::readPackage(image.value_or(std::vector<std::uint8_t>{}));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        out.push_back(text.substr(start, nl - start));
    return out;
}

// Files the run leaves in the program directory besides the assembler and the package.
std::vector<std::string> leftovers(const fs::path& home) {
    std::vector<std::string> names = fileNames(home);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& n) {
                                   return n == "KORT.EXE" || n == "kort.exe" || n == "ABCD.zvm" ||
                                          n == "KORTERR.TXT" || n == "korterr.txt";
                               }),
                names.end());
    return names;
}

class AssemblerRunTest : public ::testing::Test {
protected:
    RunFixture f;
    RecordingReporter reporter;
    RecordingObserver observer;
};

TEST_F(AssemblerRunTest, AGoodRunPacksEveryMemberInOrderAndCleansUp) {
    platform::QtProgramRunner runner({f.assemblerTemplate(), {}});
    AssemblerRun run(f.job(), runner, reporter, &observer);
    bool starFilesDuringRun = true;
    observer.onBetweenFiles = [&] {
        for (int n = 0; n < 9; ++n)
            starFilesDuringRun = starFilesDuringRun &&
                                 fs::exists(f.home() / ("en0" + std::to_string(n) + "star.bwd"));
    };

    ASSERT_EQ(run.run(), AssemblerOutcome::Succeeded);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(starFilesDuringRun);

    const auto contents = readPackageFile(f.home() / "ABCD.zvm");
    ASSERT_EQ(contents.error, build::PackageError::None);
    std::vector<std::string> expected;
    for (const auto& t : build::textMembers("ABCD"))
        expected.push_back(t.fileName);
    for (const auto& s : build::assemblerSources("ABCD"))
        expected.push_back(build::assembledName(s));
    expected.push_back("skygnd.par");
    ASSERT_EQ(memberNames(contents), expected);
    ASSERT_EQ(contents.members.size(), 37u);
    EXPECT_EQ(contents.members[0].name, "ABCDname.txt");
    EXPECT_EQ(contents.members[7].name, "ABCDare1.bwd");
    EXPECT_EQ(contents.members[35].name, "ABCD.bwd");

    for (std::size_t i = 0; i < 7; ++i) {
        const std::string& text = f.sourceText(contents.members[i].name);
        EXPECT_EQ(std::string(contents.members[i].data.begin(), contents.members[i].data.end()),
                  text);
    }
    const auto sources = build::assemblerSources("ABCD");
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto& data = contents.members[7 + i].data;
        EXPECT_EQ(std::string(data.begin(), data.end()),
                  std::string("BWD", 4) + f.sourceText(sources[i]))
            << sources[i];
    }
    const auto sky = build::skyGroundParameters(f.header);
    EXPECT_EQ(contents.members.back().data, std::vector<std::uint8_t>(sky.begin(), sky.end()));

    // One assembler call per source, in order, with the DOS command line.
    const auto calls = lines(readFile(f.callLog()));
    ASSERT_EQ(calls.size(), 29u);
    EXPECT_EQ(calls[0], R"(kort.exe /p=D:\ __.tmp ABCDare1.bwd > C:\korterr.txt)");
    EXPECT_EQ(calls[8], R"(kort.exe /p=D:\ __.tmp ABCDpal1.bwd > C:\korterr.txt)");
    EXPECT_EQ(calls[28], R"(kort.exe /p=D:\ __.tmp ABCD.bwd > C:\korterr.txt)");

    EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{});
    EXPECT_FALSE(holdsAnyCase(f.home(), "korterr.txt"));

    EXPECT_EQ(run.labels().status, "Success");
    EXPECT_EQ(run.labels().project, "Border Raid  (ABCD.zvm)");
    EXPECT_EQ(run.labels().totalTime.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_FALSE(run.buttons().abort);
    EXPECT_TRUE(run.buttons().ok);
    EXPECT_FALSE(run.buttons().viewErrors);
    ASSERT_EQ(observer.progress.size(), 30u);
    EXPECT_EQ(observer.progress.front(), 3);
    EXPECT_EQ(observer.progress.back(), 90);

    const std::vector<std::string> firstFiles(observer.currentFiles.begin(),
                                              observer.currentFiles.begin() + 11);
    EXPECT_EQ(firstFiles, (std::vector<std::string>{"KORT.EXE", "ABCD.zvm", "name.txt", "bfr0.txt",
                                                    "brf1.txt", "brf2.txt", "lim0.txt", "lim1.txt",
                                                    "lim2.txt", "starx.bwd", "ABCDare1.wld"}));
    EXPECT_EQ(observer.currentFiles.back(), "ABCD.wld");
}

TEST_F(AssemblerRunTest, AFailureOnAreaThreeKeepsAreasOneAndTwoAndTheErrorLog) {
    // An output of an earlier run must not pass for this run's.
    writeFile(f.home() / "ABCDARE3.BWD", "stale");
    // The package of the last good run stays whole: a failed run never leaves half a package.
    const auto lastGood = build::packageImage({{"ABCDname.txt", {'o', 'l', 'd'}}});
    common::writeWholeFile(f.home() / "ABCD.zvm", lastGood);
    platform::QtProgramRunner runner({f.assemblerTemplate("ABCDare3.bwd"), {}});
    AssemblerRun run(f.job(), runner, reporter, &observer);

    ASSERT_EQ(run.run(), AssemblerOutcome::AssemblyFailed);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0],
              (ReportedMessage{(f.home() / "ABCDare3.bwd").string(),
                               "Error while Assembling File...", MessageIcon::Stop}));
    EXPECT_EQ(run.labels().status, "Failure");
    EXPECT_FALSE(run.buttons().abort);
    EXPECT_TRUE(run.buttons().ok);
    EXPECT_TRUE(run.buttons().viewErrors);

    EXPECT_EQ(common::readWholeFile(f.home() / "ABCD.zvm"), lastGood);
    // Areas 1 and 2 went into the package before area 3 failed.
    EXPECT_EQ(observer.filesDone, 2);
    ASSERT_FALSE(observer.currentFiles.empty());
    EXPECT_EQ(observer.currentFiles.back(), "ABCDare3.wld");

    const auto log = build::readAssemblerLog(f.home());
    ASSERT_TRUE(log.has_value());
    EXPECT_NE(log->find("ABCDare3.bwd line 1: cannot assemble"), std::string::npos);
    EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{});
    EXPECT_EQ(lines(readFile(f.callLog())).size(), 3u);
}

TEST_F(AssemblerRunTest, AbortTakesEffectAfterTheCurrentFileAndDeletesThePackage) {
    fs::rename(f.home() / "KORT.EXE", f.home() / "kort.exe"); // found in any case
    platform::QtProgramRunner runner({f.assemblerTemplate(), {}});
    AssemblerRun run(f.job(), runner, reporter, &observer);
    observer.onBetweenFiles = [&] {
        if (observer.filesDone == 2)
            run.requestAbort();
    };

    EXPECT_EQ(run.run(), AssemblerOutcome::Aborted);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(lines(readFile(f.callLog())).size(), 2u);
    EXPECT_FALSE(fs::exists(f.home() / "ABCD.zvm"));
    EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{});
    EXPECT_FALSE(holdsAnyCase(f.home(), "korterr.txt"));
    EXPECT_FALSE(run.buttons().abort);
    EXPECT_TRUE(run.buttons().ok);
}

TEST_F(AssemblerRunTest, AMissingOrForeignAssemblerIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> image; // empty: no KORT.EXE at all
        const char* message;
    };
    const std::size_t end = build::kAssemblerSignatureOffset + 11;
    const std::vector<Case> cases = {
        {"missing", {}, "Error Locating KORT.EXE"},
        {"ends one byte early", assemblerImage(end - 1, "Talvorendix"),
         "Unknown Version of KORT.EXE"},
        {"other text", assemblerImage(end + 50, "Talvorendiy"), "Unknown Version of KORT.EXE"},
        {"text one byte off",
         [&] {
             auto image = assemblerImage(end + 50, "");
             const std::string sig = "Talvorendix";
             std::copy(sig.begin(), sig.end(), image.begin() + end - 10);
             return image;
         }(),
         "Unknown Version of KORT.EXE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(f.home() / "KORT.EXE");
        if (!c.image.empty())
            common::writeWholeFile(f.home() / "KORT.EXE", c.image);
        RecordingReporter messages;
        platform::QtProgramRunner runner({f.assemblerTemplate(), {}});
        AssemblerRun run(f.job(), runner, messages);
        EXPECT_EQ(run.run(), AssemblerOutcome::Failed);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0],
                  (ReportedMessage{c.message, "Assembler Error...", MessageIcon::Stop}));
        EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{});
        EXPECT_FALSE(fs::exists(f.home() / "ABCD.zvm"));
        EXPECT_FALSE(fs::exists(f.callLog()));
        EXPECT_EQ(run.labels().status, "Failure");
    }
}

TEST_F(AssemblerRunTest, AMissingSourceOrAnAssemblerThatCannotStartStopsTheRun) {
    {
        fs::remove(f.home() / "source" / "ABCD" / "ABCDlim1.txt");
        platform::QtProgramRunner runner({f.assemblerTemplate(), {}});
        AssemblerRun run(f.job(), runner, reporter);
        EXPECT_EQ(run.run(), AssemblerOutcome::Failed);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, "File Open Error");
        EXPECT_EQ(reporter.messages[0].caption, "Assembler Error...");
        EXPECT_FALSE(fs::exists(f.home() / "ABCD.zvm")) << "no half package is left";
        EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{});
        writeFile(f.home() / "source" / "ABCD" / "ABCDlim1.txt", "x");
    }
    {
        RecordingReporter messages;
        platform::QtProgramRunner runner({"/nonexistent/dosemu {cmd}", {}});
        AssemblerRun run(f.job(), runner, messages);
        EXPECT_EQ(run.run(), AssemblerOutcome::Failed);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "Error Loading KORT.EXE");
        EXPECT_EQ(leftovers(f.home()), std::vector<std::string>{}); // swap file gone too
    }
}

} // namespace
