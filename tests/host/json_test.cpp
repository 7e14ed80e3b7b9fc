// toJson: the contract's fields for every event, escaping, and each byte
// above 0x7F written as the character of the same code.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "host/standin/runtime.h"
#include "tests/support/tracejson.h"

namespace {

boxtk::Event make(const char* ev)
{
    boxtk::Event e;
    e.ev = ev;
    e.win = 3;
    return e;
}

TEST(TraceJson, EveryEventWithItsFields)
{
    struct Case {
        boxtk::Event event;
        std::string json;
    };
    std::vector<Case> cases;
    {
        auto e = make("key");
        e.key = "code:65";
        cases.push_back({e, R"({"ev":"key","key":"code:65","auto":false})"});
        e.key = "exit";
        e.automatic = true;
        cases.push_back({e, R"({"ev":"key","key":"exit","auto":true})"});
    }
    {
        auto e = make("show");
        e.title = "T";
        e.x = 75;
        e.y = -5;
        e.w = 530;
        e.h = 60;
        cases.push_back({e, R"({"ev":"show","win":3,"title":"T","x":75,"y":-5,"w":530,"h":60})"});
    }
    {
        auto e = make("widget");
        e.type = "button";
        e.text = "Exit";
        e.colour = "red";
        e.x = 1;
        e.y = 2;
        e.w = 3;
        e.h = 4;
        cases.push_back(
            {e, R"({"ev":"widget","win":3,"type":"button","text":"Exit","colour":"red","x":1,"y":2,"w":3,"h":4})"});
        e.type = "label";
        e.colour = "";
        cases.push_back(
            {e, R"({"ev":"widget","win":3,"type":"label","text":"Exit","colour":null,"x":1,"y":2,"w":3,"h":4})"});
    }
    {
        auto e = make("entry");
        e.text = "1 Rai";
        e.entryKey = -1;
        cases.push_back({e, R"({"ev":"entry","win":3,"text":"1 Rai","key":-1})"});
        e.ev = "current";
        // The widest key a long holds (32 bits on the box): never narrowed.
        e.entryKey = std::numeric_limits<long>::max();
        cases.push_back({e, R"({"ev":"current","win":3,"text":"1 Rai","key":)" + std::to_string(e.entryKey) + "}"});
    }
    {
        auto e = make("title");
        e.title = "t";
        cases.push_back({e, R"({"ev":"title","win":3,"title":"t"})"});
        auto l = make("text");
        l.text = "x";
        cases.push_back({l, R"({"ev":"text","win":3,"text":"x"})"});
    }
    {
        auto e = make("box");
        e.caption = "quindomar";
        e.text = "Error";
        e.flags = 33;
        cases.push_back({e, R"({"ev":"box","win":3,"caption":"quindomar","text":"Error","flags":33})"});
    }
    cases.push_back({make("exec"), R"({"ev":"exec","win":3})"});
    cases.push_back({make("hide"), R"({"ev":"hide","win":3})"});
    {
        auto e = make("close");
        e.result = -1;
        cases.push_back({e, R"({"ev":"close","win":3,"result":-1})"});
        auto h = make("http");
        h.request = "GET /cgi-bin/saveTimerList HTTP/1.0\n\n";
        cases.push_back({h, R"({"ev":"http","request":"GET /cgi-bin/saveTimerList HTTP/1.0\n\n"})"});
        auto r = make("return");
        cases.push_back({r, R"({"ev":"return","value":0})"});
    }
    for (const Case& c : cases)
        EXPECT_EQ(boxtk::toJson(c.event), c.json);
}

TEST(TraceJson, EscapesAndLatin1Bytes)
{
    struct Case {
        std::string bytes;
        std::string json;  // the string literal as written
    };
    const Case cases[] = {
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"l1\nl2\r\t", "\"l1\\nl2\\r\\t\""},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"caff\xe8", "\"caff\xc3\xa8\""},
        {"\x80\xff", "\"\xc2\x80\xc3\xbf\""},
        // UTF-8 from the plug-in is bytes too: each byte becomes a character
        {"\xc3\xa8", "\"\xc3\x83\xc2\xa8\""},
        {"</script>", "\"</script>\""},
    };
    for (const Case& c : cases) {
        boxtk::Event e;
        e.ev = "text";
        e.win = 1;
        e.text = c.bytes;
        const std::string json = boxtk::toJson(e);
        EXPECT_EQ(json, "{\"ev\":\"text\",\"win\":1,\"text\":" + c.json + "}");
        // And the trace reader gives the bytes back.
        TraceLine line;
        ASSERT_TRUE(parseTraceLine(json, line)) << json;
        EXPECT_EQ(line.str("text"), c.bytes);
        EXPECT_EQ(line.num("win"), 1);
    }
}

}  // namespace
