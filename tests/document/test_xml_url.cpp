#include "document/iv_xml.h"
#include "document/url_fetcher.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Answers from memory and remembers what it was asked.
class FakeFetcher : public ivUrlFetcher {
public:
    bool Fetch(const std::string& url, std::string& body) override {
        urls.push_back(url);
        body = reply;
        return ok;
    }
    bool Post(const std::string& url, const std::string& user, const std::string& password,
              const std::string& contentType, const std::string& body,
              std::string& response) override {
        urls.push_back(url + " " + user + ":" + password + " " + contentType);
        posted = body;
        response = reply;
        return ok;
    }
    bool ok = true;
    std::string reply;
    std::string posted;
    std::vector<std::string> urls;
};

class XmlUrl : public testing::Test {
protected:
    void SetUp() override {
        m_fetcher = std::make_shared<FakeFetcher>();
        SetUrlFetcher(m_fetcher);
    }
    void TearDown() override { SetUrlFetcher(nullptr); }
    size_t TempFiles() const {
        size_t n = 0;
        for ([[maybe_unused]] const auto& e :
             std::filesystem::directory_iterator(m_settings.dir().path() + "temp")) {
            ++n;
        }
        return n;
    }

    testing_support::IsolatedSettings m_settings;
    std::shared_ptr<FakeFetcher> m_fetcher;
};

TEST_F(XmlUrl, LoadFromUrlParsesTheBodyAndLeavesNoFile) {
    m_fetcher->reply =
        "<rss version=\"2.0\">\n<channel><title>News\nline two</title></channel></rss>";
    ivXML xml;
    ASSERT_TRUE(xml.LoadFromURL("http://127.0.0.1/feed.rss", "", ""));
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetName(), "rss");
    EXPECT_EQ(xml.GetTextOf("channel/title"), "News\nline two");
    EXPECT_EQ(m_fetcher->urls, (std::vector<std::string>{"http://127.0.0.1/feed.rss"}));
    EXPECT_EQ(TempFiles(), 0u);

    m_fetcher->reply = "<not-closed>";
    EXPECT_FALSE(xml.LoadFromURL("http://127.0.0.1/bad", "", ""));
    m_fetcher->ok = false;
    EXPECT_FALSE(xml.LoadFromURL("http://127.0.0.1/down", "", ""));
    EXPECT_EQ(TempFiles(), 0u);

    SetUrlFetcher(nullptr);
    EXPECT_FALSE(xml.LoadFromURL("http://127.0.0.1/none", "", ""));
}

TEST_F(XmlUrl, PostSendsTheCurrentNodeAndTakesAnXmlAnswer) {
    ivXML xml;
    xml.LoadXml("<Request><Item id=\"1\">x</Item></Request>");
    ASSERT_TRUE(xml.GoRoot());
    ASSERT_TRUE(xml.GoChild(0));
    m_fetcher->reply = "<Answer ok=\"1\"/>";
    ASSERT_TRUE(xml.Post("http://127.0.0.1/post", "user", "secret"));
    EXPECT_EQ(m_fetcher->posted, "<Item id=\"1\">x</Item>");
    EXPECT_EQ(m_fetcher->urls.back(), "http://127.0.0.1/post user:secret text/xml");
    EXPECT_EQ(xml.GetName(), "Item") << "the cursor stays on its node";
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetName(), "Answer");

    // An answer that is not XML, or no answer, leaves the document as it was.
    m_fetcher->reply = "Internal error";
    EXPECT_FALSE(xml.Post("http://127.0.0.1/post", "", ""));
    m_fetcher->ok = false;
    EXPECT_FALSE(xml.Post("http://127.0.0.1/post", "", ""));
    ASSERT_TRUE(xml.GoRoot());
    EXPECT_EQ(xml.GetName(), "Answer");
}

}  // namespace
