// Links between the pages of a document: what points to a bookmark reaches its page, what
// points elsewhere is left alone.

#include "generators/link_resolver.h"

#include <gtest/gtest.h>

namespace {

ivLinkResolver Resolver() {
    ivLinkResolver links;
    links.AddBookmark("intro", "start");
    links.AddBookmark("shared", "start");
    links.AddBookmark("shared", "later");  // the first page to hold a name is where links go
    links.AddBookmark("a&b", "later");
    return links;
}

TEST(LinkResolver, LinksToBookmarksGoToTheirPages) {
    const ivLinkResolver links = Resolver();
    EXPECT_EQ(links.Resolve("#intro", "start"), "#intro");
    EXPECT_EQ(links.Resolve("#intro", "other"), "start.htm#intro");
    EXPECT_EQ(links.Resolve("#shared", "later"), "#shared") << "its own bookmark comes first";
    EXPECT_EQ(links.Resolve("#shared", "other"), "start.htm#shared");
    // Local files and paths with a fragment naming a bookmark of the document.
    for (const char* target :
         {"manual.doc#intro", "../docs/Manual.RTF#intro", "file:///home/me/manual.rtf#intro",
          "C:\\\\docs\\\\manual.doc#intro"}) {
        EXPECT_EQ(links.Resolve(target, "other"), "start.htm#intro") << target;
    }
}

TEST(LinkResolver, OtherLinksStayAsTheyAre) {
    const ivLinkResolver links = Resolver();
    for (const char* target : {"https://example.org/#intro", "mailto:a@example.org#intro",
                               "#unknown", "manual.doc#unknown", "manual.doc", "#", "page.htm"}) {
        EXPECT_EQ(links.Resolve(target, "other"), target) << target;
    }
}

TEST(LinkResolver, RewritesTheHrefsOfAPageOnly) {
    const ivLinkResolver links = Resolver();
    EXPECT_EQ(links.ResolveHtml("<p><a href=\"#intro\">x</a> <a href=\"#a&amp;b\">y"
                                "</a> <a href=\"https://e.org/#intro\">z</a> <a href=\"#intro",
                                "other"),
              "<p><a href=\"start.htm#intro\">x</a> <a "
              "href=\"later.htm#a&amp;b\">y</a> <a href=\"https://e.org/#intro\">z</a> <a "
              "href=\"#intro")
        << "escaped names are matched unescaped; an unended value is left alone";
    EXPECT_EQ(ivLinkResolver().ResolveHtml("<a href=\"#intro\">", "other"), "<a href=\"#intro\">");
}

TEST(LinkResolver, FindsTheBookmarksOfABody) {
    EXPECT_EQ(ivLinkResolver::BookmarksOf("{\\rtf1 {\\*\\bkmkstart one}a{\\*\\bkmkend one}"
                                          "{\\footnote {\\*\\bkmkstart two}b}}"),
              (std::vector<std::string>{"one", "two"}));
    EXPECT_TRUE(ivLinkResolver::BookmarksOf("{\\rtf1 no bookmarks}").empty());
}

}  // namespace
