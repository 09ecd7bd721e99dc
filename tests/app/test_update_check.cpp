#include "app/online/product_urls.h"
#include "app/online/update_check.h"
#include "core/messages.h"
#include "tests/app/online_fixture.h"

namespace {

std::string Implementation(const std::string& processor, const std::string& os,
                           const std::string& language, const std::string& href) {
    return "<IMPLEMENTATION><PROCESSOR VALUE=\"" + processor + "\"/><OS VALUE=\"" + os +
           "\"/><LANGUAGE VALUE=\"" + language + "\"/><CODEBASE HREF=\"" + href +
           "\"/></IMPLEMENTATION>";
}

std::string Manifest(const std::string& version, const std::string& implementations,
                     const std::string& root = "SOFTPKG", const std::string& guid = kProductGuid) {
    return "<?xml version=\"1.0\"?>\n<" + root + " NAME=\"" + guid + "\" VERSION=\"" + version +
           "\">\n  <TITLE>Editor</TITLE>\n  " + implementations + "\n</" + root + ">\n";
}

class UpdateCheck : public OnlineTest {
protected:
    UpdateInputs Inputs() const {
        UpdateInputs in;
        in.productGuid = kProductGuid;
        in.productName = "Editor";
        in.language = "de";
        in.processor = "x86_64";
        in.system = "Linux";
        in.version = ivVersion{1, 0, 1, 23};
        return in;
    }
    std::string Publish(const std::string& manifest) {
        server.Serve("/downloads/media/editor.osd", "text/xml", manifest);
        return ManifestUrl(server.HostAndPort(), "Editor");
    }
    const std::string kHere = Implementation("x86_64", "Linux", "de", "http://dl.test/setup-24");
};

TEST_F(UpdateCheck, UrlsHaveTheFixedPaths) {
    EXPECT_EQ("http://h.test/downloads/media/editor.osd", ManifestUrl("h.test", "Editor"));
    EXPECT_EQ("http://h.test/downloads/media/de.editor.rss", FeedUrl("h.test", "DE", "Editor"));
    EXPECT_EQ("http://h.test/de/products/editor/", ProductPageUrl("h.test", "de", "Editor"));
}

TEST_F(UpdateCheck, NewerBuildMeansSameMajorAndGreaterBuild) {
    const ivVersion running{1, 0, 1, 23};
    EXPECT_TRUE(IsNewerBuild(ParseManifestVersion("1,0,1,24"), running));
    EXPECT_TRUE(IsNewerBuild(ParseManifestVersion("1,5,0,30"), running));
    EXPECT_FALSE(IsNewerBuild(ParseManifestVersion("1,0,1,23"), running));
    EXPECT_FALSE(IsNewerBuild(ParseManifestVersion("1,9,9,23"), running));
    EXPECT_FALSE(IsNewerBuild(ParseManifestVersion("2,0,0,99"), running));
    EXPECT_FALSE(IsNewerBuild(ParseManifestVersion("1"), running)) << "the build is 0";
    EXPECT_TRUE(IsNewerBuild(ParseManifestVersion("1,0,1,24,0,0"), running));
    EXPECT_FALSE(IsNewerBuild(ParseManifestVersion("1,0,1,23,99"), running))
        << "numbers after the fourth do not count";
    EXPECT_EQ((ivVersion{1, 2, 0, 0}), ParseManifestVersion("1,,2"));
}

TEST_F(UpdateCheck, MatchingImplementationAsksAndOpensTheInstallerOnYes) {
    const std::string url = Publish(Manifest("1,0,1,24", kHere));
    EXPECT_EQ("http://dl.test/setup-24", FindUpdate(url, Inputs()));

    testing_support::MessageRecorder yes(kAnswerYes);
    std::vector<std::string> opened;
    RunUpdateCheck(url, Inputs(), false, [&](const std::string& u) {
        opened.push_back(u);
        return true;
    });
    ASSERT_EQ(1u, yes.Messages().size());
    EXPECT_EQ("There is an update available. Do you want to download and install it?",
              yes.Messages()[0]);
    EXPECT_EQ(std::vector<std::string>{"http://dl.test/setup-24"}, opened);
}

TEST_F(UpdateCheck, AnsweringNoOpensNothing) {
    const std::string url = Publish(Manifest("1,0,1,24", kHere));
    testing_support::MessageRecorder no(kAnswerNo);
    bool opened = false;
    RunUpdateCheck(url, Inputs(), true, [&](const std::string&) { return opened = true; });
    EXPECT_EQ(1u, no.Messages().size());
    EXPECT_FALSE(opened);
}

TEST_F(UpdateCheck, ComparisonsAreExact) {
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1,0,1,24", Implementation("x86_64", "Linux", "DE",
                                                                         "http://dl.test/x"))),
                             Inputs()))
        << "the language code is lower case";
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1,0,1,24", Implementation("x86", "Linux", "de",
                                                                         "http://dl.test/x"))),
                             Inputs()));
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1,0,1,24", kHere, "softpkg")), Inputs()));
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1,0,1,24", kHere, "SOFTPKG",
                                              "{00000000-0000-0000-0000-000000000000}")),
                             Inputs()));
}

TEST_F(UpdateCheck, VersionRuleDecidesBeforeImplementations) {
    EXPECT_EQ("", FindUpdate(Publish(Manifest("2,0,0,1", kHere)), Inputs()));
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1", kHere)), Inputs()));
    EXPECT_EQ("http://dl.test/setup-24",
              FindUpdate(Publish(Manifest("1,0,1,24,5,6", kHere)), Inputs()));
}

TEST_F(UpdateCheck, LastMatchingImplementationWins) {
    const std::string impls = kHere + Implementation("arm64", "Linux", "de", "http://dl.test/arm") +
                              Implementation("x86_64", "Linux", "de", "http://dl.test/last");
    EXPECT_EQ("http://dl.test/last", FindUpdate(Publish(Manifest("1,0,1,30", impls)), Inputs()));
}

TEST_F(UpdateCheck, InstallerMustBeAWebAddress) {
    const std::string impl = Implementation("x86_64", "Linux", "de", "file:///usr/bin/xterm");
    EXPECT_EQ("", FindUpdate(Publish(Manifest("1,0,1,24", impl)), Inputs()));
}

TEST_F(UpdateCheck, StartUpCheckIsSilentAndUserCheckSaysNoUpdate) {
    const std::string url = Publish(Manifest("1,0,1,23", kHere));
    {
        testing_support::MessageRecorder recorder;
        RunUpdateCheck(url, Inputs(), false, [](const std::string&) { return true; });
        EXPECT_TRUE(recorder.Messages().empty());
    }
    testing_support::MessageRecorder recorder;
    RunUpdateCheck(url, Inputs(), true, [](const std::string&) { return true; });
    ASSERT_EQ(1u, recorder.Messages().size());
    EXPECT_EQ("No update available!", recorder.Messages()[0]);
    EXPECT_EQ(kMessageInformation | kMessagePreferDialog, recorder.Flags()[0]);
}

TEST_F(UpdateCheck, UnreachableOrBrokenManifestCountsAsNoUpdate) {
    const std::string missing = ManifestUrl(server.HostAndPort(), "Editor");  // 404
    EXPECT_EQ("", FindUpdate(missing, Inputs()));
    server.Serve("/downloads/media/editor.osd", "text/html", "<html><body>oops");
    EXPECT_EQ("", FindUpdate(missing, Inputs()));
    testing_support::MessageRecorder recorder;
    RunUpdateCheck(missing, Inputs(), true, [](const std::string&) { return true; });
    EXPECT_EQ(std::vector<std::string>{"No update available!"}, recorder.Messages());
}

}  // namespace
