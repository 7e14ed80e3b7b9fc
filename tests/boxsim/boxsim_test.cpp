// boxsim from outside: its command line, exit statuses, the trace and the
// web interface stand-in, driven with the small plug-ins of plugins/.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/harness.h"

namespace {

std::string buildDir()
{
    const std::string p = BOXSIM_PATH;
    return p.substr(0, p.rfind('/')) + "/..";
}

std::string testPlugin(const char* name)
{
    return buildDir() + "/boxsim-test/boxsim-test-" + name + ".so";
}

ProcessResult boxsim(std::vector<std::string> args)
{
    args.insert(args.begin(), BOXSIM_PATH);
    return runProcess(args, 20000);
}

std::vector<std::string> evs(const std::vector<TraceLine>& trace)
{
    std::vector<std::string> out;
    for (const auto& l : trace)
        out.push_back(l.ev());
    return out;
}

TEST(Boxsim, BadUsageEndsWithStatus2AndTheReason)
{
    TempBoxRoot box;
    box.write("/keys.txt", "ok bogus\n");
    box.write("/notaplugin.so", "plain text");
    const std::string list = testPlugin("list");
    struct Case {
        std::vector<std::string> args;
        const char* reason;  // a word of the message on standard error
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option"},
        {{"--keys", "ok", "extra"}, "unknown option"},
        {{"--keys"}, "needs a value"},
        {{"--keys", "ok,down fire", "--plugin", list}, "fire"},
        {{"--keys", "code:", "--plugin", list}, "code:"},
        {{"--keys", "10", "--plugin", list}, "10"},
        {{"--keys-file", box.path("/keys.txt"), "--plugin", list}, "bogus"},
        {{"--keys-file", box.path("/missing.txt"), "--plugin", list}, "keys file"},
        {{"--keys", "ok", "--clock", "soon", "--plugin", list}, "clock"},
        {{"--keys", "ok", "--plugin", box.path("/missing.so")}, "missing.so"},
        {{"--keys", "ok", "--plugin", box.path("/notaplugin.so")}, "notaplugin.so"},
        {{"--plugin", list}, "no keys"},  // no keys, no terminal
    };
    for (const Case& c : cases) {
        const ProcessResult r = boxsim(c.args);
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << joined << "\nstderr: " << r.err;
        EXPECT_EQ(r.out.find("test plug-in starts"), std::string::npos) << joined;
    }
}

TEST(Boxsim, ScriptedSessionWritesTheTraceAndServesTheWebInterface)
{
    TempBoxRoot box;
    box.makeDir("/var");
    const ProcessResult r = boxsim({"--root", box.root(), "--plugin", testPlugin("list"), "--keys",
                                    "down,ok right ok 5 exit", "--trace", box.path("/trace.jsonl"), "--clock",
                                    "1000000000"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The plug-in's paths were taken in the root, and its clock set.
    const long long clock = std::stoll(box.read("/var/out.txt"));
    EXPECT_GE(clock, 1000000000LL);
    EXPECT_LE(clock, 1000000005LL);
    EXPECT_NE(r.out.find("test plug-in starts"), std::string::npos);
    // The worker echoed the stand-in's answer.
    EXPECT_NE(r.out.find("HTTP/1.0 200"), std::string::npos);

    const auto trace = parseTrace(box.read("/trace.jsonl"));
    EXPECT_EQ(evs(trace),
              std::vector<std::string>({"entry", "current", "entry", "entry", "show", "widget", "widget", "exec", "key",
                                        "current", "key", "box",  "exec",  "key",  "key",   "close",  "hide", "title",
                                        "key",   "key",     "close", "hide", "return", "http"}));
    ASSERT_EQ(trace.size(), 24u);
    EXPECT_EQ(trace[2].str("text"), "caff\xe8 \"quoted\"");
    EXPECT_EQ(trace[2].num("key"), 12);
    EXPECT_EQ(trace[4].num("x"), 100);
    EXPECT_EQ(trace[6].str("colour"), "red");
    EXPECT_TRUE(trace[5].isNull("colour"));
    EXPECT_EQ(trace[11].str("caption"), "chosen");
    EXPECT_EQ(trace[11].num("flags"), 28);
    EXPECT_EQ(trace[15].num("result"), 8);
    EXPECT_EQ(trace[17].str("title"), "Test list: no");
    EXPECT_EQ(trace[18].str("key"), "5");
    EXPECT_FALSE(trace[18].flag("auto"));
    EXPECT_EQ(trace[20].num("result"), 1);
    EXPECT_EQ(trace[22].num("value"), 0);
    // Sent after plugin_exec returned: boxsim waited for it.
    EXPECT_EQ(trace[23].str("request"), "GET /cgi-bin/testCommand HTTP/1.0\n\n");
}

TEST(Boxsim, TraceOnStandardOutputHoldsOnlyTheTrace)
{
    TempBoxRoot box;
    box.write("/keys", "# choose the second row\ndown ok   # open the box\nok\n\n# and leave\nexit\n");
    const ProcessResult r =
        boxsim({"--plugin", testPlugin("list"), "--keys-file", box.path("/keys"), "--trace", "-", "--no-web"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto trace = parseTrace(r.out);
    ASSERT_FALSE(trace.empty());
    std::vector<std::string> keys;
    for (const auto& l : trace)
        if (l.ev() == "key")
            keys.push_back(l.str("key"));
    EXPECT_EQ(keys, std::vector<std::string>({"down", "ok", "ok", "exit"}));
    EXPECT_EQ(trace.back().ev(), "return");  // no web stand-in: no http
    // The plug-in's own console lines went to standard error.
    EXPECT_NE(r.err.find("test plug-in starts"), std::string::npos);
}

TEST(Boxsim, KeysRunningOutEndTheSessionAsByExit)
{
    TempBoxRoot box;
    const ProcessResult r = boxsim({"--plugin", testPlugin("list"), "--keys", "ok", "--trace",
                                    box.path("/t.jsonl"), "--no-web"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto trace = parseTrace(box.read("/t.jsonl"));
    std::vector<std::string> seq;
    for (const auto& l : trace)
        if (l.ev() == "key" || l.ev() == "close")
            seq.push_back(l.ev() == "key" ? l.str("key") + (l.flag("auto") ? " auto" : "")
                                          : "close " + std::to_string(l.num("win")) + " " +
                                                std::to_string(l.num("result")));
    EXPECT_EQ(seq, std::vector<std::string>({"ok", "exit auto", "close 2 -1", "exit auto", "close 1 1"}));
}

TEST(Boxsim, ASessionThatNeverEndsGivesStatus3)
{
    TempBoxRoot box;
    const ProcessResult r =
        boxsim({"--plugin", testPlugin("loop"), "--keys", "ok", "--trace", box.path("/t.jsonl"), "--no-web"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_FALSE(r.err.empty());
    const auto trace = parseTrace(box.read("/t.jsonl"));
    int automatic = 0;
    for (const auto& l : trace)
        automatic += l.ev() == "key" && l.flag("auto");
    EXPECT_EQ(automatic, 201);
    EXPECT_NE(trace.back().ev(), "return");
}

}  // namespace
