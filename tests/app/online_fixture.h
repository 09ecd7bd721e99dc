#pragma once

#include "app/http/agent_fetcher.h"
#include "app/http/http_agent.h"
#include "tests/app/local_http_server.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>

// A local server that the XML layer fetches from through an HTTP agent, with settings of the
// test's own.
class OnlineTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
            unsetenv(name);
        }
        SetUrlFetcher(std::make_shared<ivAgentUrlFetcher>(agent));
    }
    void TearDown() override { SetUrlFetcher(nullptr); }

    testing_support::LocalHttpServer server;
    ivHttpAgent agent;
    testing_support::IsolatedSettings settings;
};
