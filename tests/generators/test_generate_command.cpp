#include "core/settings.h"
#include "document/domain.h"
#include "document/domain_store.h"
#include "document/iv_data.h"
#include "generators/generate_document.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "tests/generators/generator_test_util.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

using generator_testing::RecordingIndicators;
using testing_support::IsolatedSettings;
using testing_support::MessageRecorder;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr const char* kDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Document>"
    "<Section ID=\"{1}\" Title=\"Intro\" Reference=\"1000\" Text=\"{\\rtf1 Hello\\par}\"/>"
    "</Document>\n";

class GenerateCommand : public testing::Test {
protected:
    GenerateCommand() {
        platform::SetLauncher([this](const std::vector<std::string>& argv, const std::string&) {
            m_launched.push_back(argv);
            return true;
        });
        WriteFile(m_settings.dir().File("Guide.etf"), kDocument);
    }
    ~GenerateCommand() override { platform::SetLauncher({}); }

    IsolatedSettings m_settings;
    MessageRecorder m_messages;
    TempDir m_out;
    std::vector<std::vector<std::string>> m_launched;
};

TEST_F(GenerateCommand, TargetPathDefaultsToTheDocumentsFolder) {
    EXPECT_EQ(GetGenerateTargetPath(), platform::UserDocumentsDirectory());
    SetSetting("/TargetPath", "/somewhere/else");
    EXPECT_EQ(GetGenerateTargetPath(), "/somewhere/else");
}

TEST_F(GenerateCommand, TitleIsTheFileNameWithoutExtension) {
    EXPECT_EQ(DocumentTitleFromPath("/a/b/My Guide.etf"), "My Guide");
    EXPECT_EQ(DocumentTitleFromPath("plain"), "plain");
    EXPECT_EQ(DocumentTitleFromPath("/a.b/c.d.etf"), "c.d");
    EXPECT_EQ(DocumentTitleFromPath("/x/.hidden"), ".hidden");
}

TEST_F(GenerateCommand, RunsTheChosenGeneratorAndStoresTheFolder) {
    myDomainStore store;
    ASSERT_TRUE(store.Open(m_settings.dir().File("Guide.etf")));
    int flushes = 0;
    store.SetFlushHook([&] { ++flushes; });
    RecordingIndicators indicators;
    ivGenerateOptions options;
    options.indicators = &indicators;
    ASSERT_TRUE(GenerateDocument(store, "CHM", m_out.path(), "Guide", options));
    EXPECT_EQ(flushes, 1) << "the edits are flushed into the tree first";
    EXPECT_EQ(GetSetting("/TargetPath"), m_out.path());
    EXPECT_TRUE(std::filesystem::exists(m_out.File("intro.htm")));
    EXPECT_TRUE(std::filesystem::exists(m_out.File("Guide.hhp")));
    ASSERT_EQ(m_launched.size(), 1u) << "the compiler is started, without waiting";
    EXPECT_EQ(m_launched[0], (std::vector<std::string>{"chmcmd", m_out.File("Guide.hhp")}));
    EXPECT_EQ(indicators.Values("PROGRESS"), (std::vector<int>{0, 100, 0}));
    EXPECT_TRUE(m_messages.Messages().empty()) << "nothing is shown by the run itself";
}

TEST_F(GenerateCommand, WordDocumentIsOpenedUnlessTheCallerSaysNo) {
    myDomainStore store;
    ASSERT_TRUE(store.Open(m_settings.dir().File("Guide.etf")));
    std::string output;
    ivGenerateOptions options;
    options.outputPath = &output;
    ASSERT_TRUE(GenerateDocument(store, "DOC", m_out.path(), "Guide", options));
    EXPECT_EQ(output, m_out.File("Guide.docx"));
    EXPECT_EQ(m_launched, (std::vector<std::vector<std::string>>{{"xdg-open", output}}));
    options.openResult = false;
    ASSERT_TRUE(GenerateDocument(store, "DOC", m_out.path(), "Guide", options));
    EXPECT_EQ(m_launched.size(), 1u);
}

TEST_F(GenerateCommand, FailuresAreReturned) {
    myDomainStore store;
    EXPECT_FALSE(GenerateDocument(store, "HTML", m_out.path(), "x")) << "no document tree";
    ASSERT_TRUE(store.Open(m_settings.dir().File("Guide.etf")));
    EXPECT_FALSE(GenerateDocument(store, "", m_out.path(), "x"));
    EXPECT_FALSE(GenerateDocument(store, "PDF", m_out.path(), "x"));
    EXPECT_FALSE(GenerateDocument(store, "HTML", m_out.File("missing/folder"), "x"));
    EXPECT_TRUE(std::filesystem::is_empty(m_out.path()));
}

TEST_F(GenerateCommand, TemplateOptionReplacesTheSetting) {
    WriteFile(m_settings.dir().File("setting.htm"), "setting <%title%>");
    WriteFile(m_settings.dir().File("option.htm"), "option <%title%>");
    SetSetting("/Generators/HTML/Template", m_settings.dir().File("setting.htm"));
    myDomainStore store;
    ASSERT_TRUE(store.Open(m_settings.dir().File("Guide.etf")));
    ivGenerateOptions options;
    options.templatePath = m_settings.dir().File("option.htm");
    ASSERT_TRUE(GenerateDocument(store, "HTML", m_out.path(), "Guide", options));
    EXPECT_EQ(ReadFile(m_out.File("intro.htm")), "option Intro");
    EXPECT_EQ(GetSetting("/Generators/HTML/Template"), m_settings.dir().File("setting.htm"))
        << "the setting itself is left alone";
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quorvane-cli in its own home folder, in folder.
Result RunCli(const TempDir& home, const std::string& folder, const std::string& args) {
    const std::string errFile = home.File("stderr.txt");
    const std::string command = "cd '" + folder + "' && HOME='" + home.path() +
                                "' XDG_CONFIG_HOME='" + home.path() + "cfg' '" + QV_CLI_PATH +
                                "' " + args + " 2>'" + errFile + "'";
    const testing_support::CommandResult run = testing_support::RunShell(command);
    return Result{run.status, run.out, ReadFile(errFile)};
}

class GenerateCli : public testing::Test {
protected:
    GenerateCli() { WriteFile(m_home.File("My Guide.etf"), kDocument); }
    TempDir m_home;
};

TEST_F(GenerateCli, WritesHtmlIntoARelativeFolderItCreates) {
    WriteFile(m_home.File("t.htm"), "<h1><%title%></h1>");
    const Result r =
        RunCli(m_home, m_home.path(), "generate HTML 'My Guide.etf' out/html --template t.htm");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "") << "no progress bar when standard error is no terminal";
    EXPECT_EQ(ReadFile(m_home.File("out/html/intro.htm")), "<h1>Intro</h1>");
    EXPECT_EQ(ReadFile(m_home.File(".Editor")).find("TargetPath"), std::string::npos)
        << "the editor's last folder is left alone";
}

TEST_F(GenerateCli, ProgressBarOnATerminal) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "script (util-linux) is not installed";
    }
    // script gives the tool a terminal for its standard error and copies what it shows.
    const std::string log = m_home.File("terminal.log");
    const std::string command = "cd '" + m_home.path() + "' && HOME='" + m_home.path() +
                                "' XDG_CONFIG_HOME='" + m_home.path() + "cfg' script -qec \"'" +
                                QV_CLI_PATH + "' generate HTML 'My Guide.etf' out\" '" + log +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string shown = ReadFile(log);
    const std::string bar = "[" + std::string(40, '#') + "] 100%";
    EXPECT_NE(shown.find("\r[" + std::string(40, ' ') + "]   0%"), std::string::npos) << shown;
    EXPECT_NE(shown.find(bar + "\r" + std::string(48, ' ') + "\r"), std::string::npos)
        << "cleared at the end: " << shown;
    EXPECT_EQ(shown.find("0%", shown.find(bar) + bar.size()), std::string::npos)
        << "nothing drawn after the run: " << shown;
}

TEST_F(GenerateCli, DocPrintsThePathOfTheDocument) {
    const Result r = RunCli(m_home, m_home.path(), "generate DOC 'My Guide.etf' out");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, m_home.File("out/My Guide.docx") + "\n");
    EXPECT_TRUE(std::filesystem::exists(m_home.File("out/My Guide.docx")));
}

TEST_F(GenerateCli, ChmWaitsForTheCompilerAndReportsItsStatus) {
    // A compiler that records where it ran and with what, then fails.
    WriteFile(m_home.File("fake-compiler"),
              "#!/bin/sh\npwd > \"$HOME/compiler-ran\"\necho \"$1\" >> \"$HOME/compiler-ran\"\n"
              "exit 3\n");
    std::filesystem::permissions(m_home.File("fake-compiler"), std::filesystem::perms::owner_all);
    WriteFile(m_home.File(".Editor"),
              "[Generators/HTML Help Workshop]\nCompiler=" + m_home.File("fake-compiler") + "\n");
    Result r = RunCli(m_home, m_home.path(), "generate CHM 'My Guide.etf' out");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The help compiler failed with exit status 3.\n");
    EXPECT_EQ(ReadFile(m_home.File("compiler-ran")),
              m_home.File("out") + "\n" + m_home.File("out/My Guide.hhp") + "\n");

    WriteFile(m_home.File(".Editor"),
              "[Generators/HTML Help Workshop]\nCompiler=/no/such/compiler\n");
    r = RunCli(m_home, m_home.path(), "generate CHM 'My Guide.etf' out");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The help compiler could not be started.\n");
}

// A template that is a pipe or missing gave exit 0 and pages without it.
TEST_F(GenerateCli, TemplateThatCannotBeReadFailsWithItsName) {
    ASSERT_EQ(mkfifo(m_home.File("pipe.htm").c_str(), 0600), 0);
    Result r =
        RunCli(m_home, m_home.path(), "generate HTML 'My Guide.etf' out --template pipe.htm");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Generating output failed.\nThe page template cannot be read: pipe.htm: Not a "
              "regular file\n");
    EXPECT_FALSE(std::filesystem::exists(m_home.File("out/intro.htm")));
    r = RunCli(m_home, m_home.path(), "generate CHM 'My Guide.etf' out --template none.htm");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Generating output failed.\nThe page template cannot be read: none.htm: " +
                         std::string(std::strerror(ENOENT)) + "\n");
}

// 50,000 levels overflowed the stack of the generator's walk.
TEST_F(GenerateCli, DocumentNestedTooDeeplyIsRefusedInsteadOfCrashing) {
    std::string deep = "<Document>";
    for (int i = 0; i < 50000; ++i) {
        deep += "<Section Title=\"s\">";
    }
    for (int i = 0; i < 50000; ++i) {
        deep += "</Section>";
    }
    WriteFile(m_home.File("deep.etf"), deep + "</Document>");
    const Result r = RunCli(m_home, m_home.path(), "generate HTML deep.etf out");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Loading document failed.\nLine 1: the document nests deeper than 256 "
              "levels.\n");
}

// The generators' walks recurse once per level: a document as deep as documents may nest is
// generated whole, by each of them.
TEST_F(GenerateCommand, DocumentAsDeepAsAllowedIsGeneratedWhole) {
    const int levels = ivData::kMaxDepth - 1;
    std::string xml = "<Document>";
    for (int i = 0; i < levels; ++i) {
        xml += "<Section ID=\"{" + std::to_string(i) + "}\" Title=\"s" + std::to_string(i) + "\">";
    }
    for (int i = 0; i < levels; ++i) {
        xml += "</Section>";
    }
    WriteFile(m_settings.dir().File("deep.etf"), xml + "</Document>");
    myDomainStore store;
    ASSERT_TRUE(store.Open(m_settings.dir().File("deep.etf")));
    for (const char* kind : {"HTML", "CHM", "DOC"}) {
        std::filesystem::create_directory(m_out.File(kind));
        EXPECT_TRUE(GenerateDocument(store, kind, m_out.File(kind), "Deep")) << kind;
    }
    size_t pages = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_out.File("HTML"))) {
        pages += entry.path().extension() == ".htm" ? 1 : 0;
    }
    EXPECT_EQ(pages, static_cast<size_t>(levels));
    EXPECT_TRUE(std::filesystem::exists(m_out.File("CHM/Deep.hhc")));
    EXPECT_TRUE(std::filesystem::exists(m_out.File("DOC/Deep.docx")));
}

TEST_F(GenerateCli, ChmIsCompiledWithChmcmd) {
    if (std::system("command -v chmcmd >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chmcmd is not installed";
    }
    const Result r = RunCli(m_home, m_home.path(), "generate CHM 'My Guide.etf' out");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GT(std::filesystem::file_size(m_home.File("out/My Guide.chm")), 0u);
}

TEST_F(GenerateCli, ReportsWrongUseAndFailures) {
    Result r = RunCli(m_home, m_home.path(), "generate PDF 'My Guide.etf' out");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Usage: quorvane-cli generate"), std::string::npos);
    r = RunCli(m_home, m_home.path(), "generate HTML missing.etf out");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Loading document failed.\nmissing.etf: " +
                         std::string(std::strerror(ENOENT)) + "\n");
    WriteFile(m_home.File("file"), "");
    r = RunCli(m_home, m_home.path(), "generate HTML 'My Guide.etf' file/sub");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Creating the target folder failed.\n");
}

}  // namespace
