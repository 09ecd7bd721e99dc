#include "app/online/news_feed.h"
#include "app/online/product_urls.h"
#include "platform/registry_store.h"
#include "tests/app/online_fixture.h"

namespace {

std::string Item(int number, const std::string& description = {}) {
    const std::string n = std::to_string(number);
    return "<item><title>Item " + n + "</title><description>" +
           (description.empty() ? "About " + n : description) +
           "</description><link>http://news.test/read?A=" + n + "</link></item>";
}

std::string Feed(const std::string& channelChildren) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss version=\"2.0\"><channel>"
           "<title>News</title>" +
           channelChildren + "</channel></rss>";
}

class NewsFeed : public OnlineTest {
protected:
    std::string Publish(const std::string& feed) {
        server.Serve("/downloads/media/de.editor.rss", "application/rss+xml", feed);
        return FeedUrl(server.HostAndPort(), "de", "Editor");
    }
    int StoredLastId() const { return registry.GetInt("Tip", "LastID", 0); }

    testing_support::TempDir dir;
    platform::RegistryStore registry{dir.File("registry.conf")};
};

TEST_F(NewsFeed, ItemNumberIsTheNumberAfterA) {
    EXPECT_EQ(43, ivNewsFeed::ItemNumber("http://x.test/read?A=43"));
    EXPECT_EQ(7, ivNewsFeed::ItemNumber("http://x.test/read?A=7&B=9?A=8"));
    EXPECT_EQ(0, ivNewsFeed::ItemNumber("http://x.test/read?B=43"));
    EXPECT_EQ(0, ivNewsFeed::ItemNumber("http://x.test/read?A=x"));
}

TEST_F(NewsFeed, StartUpShowsOnlyWhatIsNewAndRemembersIt) {
    registry.SetInt("Tip", "LastID", 41);
    const std::string url = Publish(Feed(Item(43) + Item(42) + Item(41)));

    ivNewsFeed startup(registry);
    ASSERT_TRUE(startup.LoadFeed(url));
    EXPECT_EQ("News", startup.Heading());
    EXPECT_EQ("Item 43\n\nAbout 43\n", startup.Text());
    EXPECT_EQ(43, StoredLastId());
    EXPECT_TRUE(startup.CanGoNext());

    // Next re-reads the stored 43, so 42 is not new: the walk reaches the end.
    std::string text = "unchanged";
    startup.NextNewsText(text);
    EXPECT_EQ("unchanged", text);
    EXPECT_FALSE(startup.IsLoaded());
    EXPECT_FALSE(startup.CanGoNext());
    EXPECT_EQ(43, StoredLastId());

    // The next start has nothing new to show.
    ivNewsFeed again(registry);
    EXPECT_FALSE(again.LoadFeed(url));
}

TEST_F(NewsFeed, UserRequestWrapsAroundAndShowsEverythingWithoutStoring) {
    registry.SetInt("Tip", "LastID", 43);
    const std::string url = Publish(Feed(Item(43) + Item(42) + Item(41)));

    ivNewsFeed asked(registry);
    asked.SetForced(true);
    ASSERT_TRUE(asked.LoadFeed(url));
    EXPECT_EQ("Item 43\n\nAbout 43\n", asked.Text());
    std::vector<std::string> shown;
    std::string text;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(asked.CanGoNext());
        asked.NextNewsText(text);
        shown.push_back(text.substr(0, text.find('\n')));
    }
    EXPECT_EQ((std::vector<std::string>{"Item 42", "Item 41", "Item 43", "Item 42"}), shown);
    EXPECT_EQ(43, StoredLastId());
}

TEST_F(NewsFeed, UserRequestStartsWithTheFirstUnseenItem) {
    registry.SetInt("Tip", "LastID", 41);
    const std::string url = Publish(Feed(Item(43) + Item(42) + Item(41)));
    ivNewsFeed asked(registry);
    asked.SetForced(true);
    ASSERT_TRUE(asked.LoadFeed(url));
    EXPECT_EQ(43, StoredLastId());
    EXPECT_EQ("Item 43\n\nAbout 43\n", asked.Text());
}

TEST_F(NewsFeed, EmptyChannelShowsNothingAndOffersNoNext) {
    ivNewsFeed asked(registry);
    asked.SetForced(true);
    EXPECT_FALSE(asked.LoadFeed(Publish(Feed(""))));
    EXPECT_EQ("", asked.Text());
    EXPECT_FALSE(asked.CanGoNext());
}

TEST_F(NewsFeed, ChannelWithoutItemsEndsTheWrapAround) {
    ivNewsFeed asked(registry);
    asked.SetForced(true);
    EXPECT_FALSE(asked.LoadFeed(
        Publish(Feed("<description>Nothing yet</description><language>de</language>"))));
    EXPECT_FALSE(asked.CanGoNext());
}

TEST_F(NewsFeed, UnreachableOrForeignFeedIsNotLoaded) {
    ivNewsFeed feed(registry);
    EXPECT_FALSE(feed.LoadFeed(FeedUrl(server.HostAndPort(), "fr", "Editor")));  // 404
    EXPECT_FALSE(feed.LoadFeed(Publish("<html><p>no feed</p></html>")));
    EXPECT_EQ(0, StoredLastId());
}

TEST_F(NewsFeed, ItemWithoutNumberShowsOnlyWhenEverythingIsShown) {
    const std::string unnumbered =
        "<item><title>Plain</title><description>d</description><link>http://x.test/</link></item>";
    const std::string url = Publish(Feed(unnumbered));
    ivNewsFeed startup(registry);
    EXPECT_FALSE(startup.LoadFeed(url));
    ivNewsFeed asked(registry);
    asked.SetForced(true);
    ASSERT_TRUE(asked.LoadFeed(url));
    EXPECT_EQ("Plain\n\nd\n", asked.Text());
}

TEST_F(NewsFeed, DescriptionKeepsItsLines) {
    const std::string url = Publish(Feed("\n  " + Item(5, "First line.\nSecond line.") + "\n"));
    ivNewsFeed startup(registry);
    ASSERT_TRUE(startup.LoadFeed(url));
    EXPECT_EQ("Item 5\n\nFirst line.\nSecond line.\n", startup.Text());
}

}  // namespace
