// Saves killed at random moments: a child process saves a large document over and over and is
// killed with SIGKILL; the file must always be the whole old or the whole new document, and
// what killed saves leave must be gone after the next save.

#include "document/iv_xml.h"
#include "platform/file_io.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::TempDir;

std::string ReadFile(const std::string& path) {
    std::string bytes;
    platform::ReadWholeFileBytes(path, bytes);
    return bytes;
}

// A document of 200 sections of 40 KB each, every body made of one letter.
std::unique_ptr<ivXML> LargeDocument(char letter) {
    auto xml = std::make_unique<ivXML>();
    xml->Create();
    xml->AddNode("Document");
    for (int i = 0; i < 200; ++i) {
        xml->AddNode("Section");
        xml->AddAttribute("ID", "{" + std::to_string(i) + "}");
        xml->AddAttribute("Text", std::string(40000, letter));
        xml->EndNode();
    }
    xml->EndNode();
    xml->Reset();
    return xml;
}

size_t StrayFiles(const std::string& dir) {
    size_t n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        n += entry.path().filename() != "doc.etf" ? 1 : 0;
    }
    return n;
}

struct KillResult {
    int kills = 0;
    int killsThatLeftAFile = 0;
};

// Kills a saving child again and again for about budget; checks the file after every kill.
KillResult KillSavesAtRandom(const std::string& dir, std::chrono::seconds budget) {
    const std::string path = dir + "doc.etf";
    std::unique_ptr<ivXML> a = LargeDocument('a');
    std::unique_ptr<ivXML> b = LargeDocument('b');
    const std::string bytesA = a->SaveToString();
    const std::string bytesB = b->SaveToString();
    EXPECT_TRUE(a->Save(path));

    // The kills fall anywhere in a save, and sometimes between two.
    const auto start = Clock::now();
    EXPECT_TRUE(b->Save(path));
    const auto saveTime = Clock::now() - start;
    std::mt19937 random(20260712);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 2);

    KillResult result;
    // A loaded machine forks and saves slowly: the budget stretches (up to four times) until
    // enough kills were made to say something.
    const auto spent = [&] { return Clock::now() - start; };
    while (result.kills < 150 && spent() < 4 * budget && (spent() < budget || result.kills < 20)) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0;; ++i) {
                (i % 2 == 0 ? a : b)->Save(path);
            }
        }
        EXPECT_GT(child, 0);
        if (child <= 0) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ++result.kills;

        const std::string now = ReadFile(path);
        EXPECT_TRUE(now == bytesA || now == bytesB)
            << "after kill " << result.kills << " the file holds " << now.size() << " bytes";
        // Whatever the last killed save left, every earlier one's was removed by a later save.
        const size_t strays = StrayFiles(dir);
        EXPECT_LE(strays, 1u) << "after kill " << result.kills;
        result.killsThatLeftAFile += strays > 0 ? 1 : 0;
        if (testing::Test::HasFailure()) {
            break;
        }
    }
    EXPECT_TRUE(a->Save(path));
    EXPECT_EQ(ReadFile(path), bytesA);
    EXPECT_EQ(StrayFiles(dir), 0u) << "the next save removes what killed saves left";
    return result;
}

TEST(KilledSave, TargetIsAlwaysWholeAndNothingIsLeftAfterTheNextSave) {
    TempDir dir;
    const KillResult result = KillSavesAtRandom(dir.path(), std::chrono::seconds(8));
    EXPECT_GE(result.kills, 20);
    RecordProperty("kills", result.kills);
}

// Where the file system has no unnamed temporary files, every killed save leaves one behind
// until the next save.
TEST(KilledSave, NamedTemporaryFilesOfKilledSavesAreRemovedByTheNextSave) {
    TempDir dir;
    platform::SetNamedTempFilesOnly(true);
    const KillResult result = KillSavesAtRandom(dir.path(), std::chrono::seconds(8));
    platform::SetNamedTempFilesOnly(false);
    EXPECT_GE(result.kills, 20);
    EXPECT_GT(result.killsThatLeftAFile, 0) << "the kills fell inside saves";
    RecordProperty("kills", result.kills);
    RecordProperty("kills_that_left_a_file", result.killsThatLeftAFile);
}

}  // namespace
