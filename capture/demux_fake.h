// An in-memory demux for tests and fuzzing: each filter (PID, table id)
// delivers the reads queued for it, in order; past the last one every read
// fails as a time-out does, or the queue starts again when it loops. The
// position in a queue is kept across opens. Install() routes every
// DemuxOpen here until the object goes.
#ifndef UDOVOR_CAPTURE_DEMUX_FAKE_H
#define UDOVOR_CAPTURE_DEMUX_FAKE_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "capture/demux.h"

class FakeDemux {
public:
    FakeDemux() = default;
    ~FakeDemux();
    FakeDemux(const FakeDemux&) = delete;
    FakeDemux& operator=(const FakeDemux&) = delete;

    void Install();

    // A whole section; its first byte is its table id.
    void AddSection(uint16_t pid, std::vector<uint8_t> bytes);
    // A read that returns result without data (-1 failed, 0 empty).
    void AddReadResult(uint16_t pid, uint8_t tableId, int result);
    // Past the last read, start again at read number from (0: the first).
    void SetLoop(uint16_t pid, uint8_t tableId, bool loop, size_t from = 0);
    // Reads still queued for a filter (not counting loops).
    size_t Pending(uint16_t pid, uint8_t tableId) const;

    bool failOpen = false;
    bool failSetFilter = false;

    // What the readers did.
    int opens = 0;
    int stops = 0;
    int closes = 0;
    int reads = 0;
    std::vector<std::string> paths;
    std::vector<SectionFilter> filters;

    // Used by the sources it hands out.
    struct Item {
        std::vector<uint8_t> bytes;
        int result = 0;  // when bytes is empty
    };
    struct Queue {
        std::vector<Item> items;
        size_t next = 0;
        bool loop = false;
        size_t loopFrom = 0;
    };
    int ReadFor(uint16_t pid, uint8_t tableId, uint8_t* buf, size_t size);

private:
    using Key = std::pair<uint16_t, uint8_t>;
    std::map<Key, Queue> queues_;
    bool installed_ = false;
};

#endif
