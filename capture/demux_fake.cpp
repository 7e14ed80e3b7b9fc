#include "capture/demux_fake.h"

#include <cstring>
#include <memory>

namespace {

class FakeSource : public DemuxSource {
public:
    explicit FakeSource(FakeDemux* owner) : owner_(owner) {}
    ~FakeSource() override { ++owner_->closes; }

    int SetFilter(const SectionFilter& f) override
    {
        owner_->filters.push_back(f);
        if (owner_->failSetFilter)
            return -1;
        filter_ = f;
        active_ = true;
        return 0;
    }
    int Stop() override
    {
        ++owner_->stops;
        active_ = false;
        return 0;
    }
    int Read(uint8_t* buf, size_t size) override
    {
        ++owner_->reads;
        if (!active_)
            return -1;
        return owner_->ReadFor(filter_.pid, filter_.filter[0], buf, size);
    }

private:
    FakeDemux* owner_;
    SectionFilter filter_;
    bool active_ = false;
};

}  // namespace

FakeDemux::~FakeDemux()
{
    if (installed_)
        SetDemuxOpenerForTests(DemuxOpener());
}

void FakeDemux::Install()
{
    installed_ = true;
    SetDemuxOpenerForTests([this](const char* path) -> std::unique_ptr<DemuxSource> {
        paths.push_back(path ? path : "");
        if (failOpen)
            return nullptr;
        ++opens;
        return std::unique_ptr<DemuxSource>(new FakeSource(this));
    });
}

void FakeDemux::AddSection(uint16_t pid, std::vector<uint8_t> bytes)
{
    uint8_t tableId = bytes.empty() ? 0 : bytes[0];
    Item item;
    item.result = static_cast<int>(bytes.size());
    item.bytes = std::move(bytes);
    queues_[Key(pid, tableId)].items.push_back(std::move(item));
}

void FakeDemux::AddReadResult(uint16_t pid, uint8_t tableId, int result)
{
    Item item;
    item.result = result;
    queues_[Key(pid, tableId)].items.push_back(item);
}

void FakeDemux::SetLoop(uint16_t pid, uint8_t tableId, bool loop, size_t from)
{
    Queue& q = queues_[Key(pid, tableId)];
    q.loop = loop;
    q.loopFrom = from;
}

size_t FakeDemux::Pending(uint16_t pid, uint8_t tableId) const
{
    auto it = queues_.find(Key(pid, tableId));
    if (it == queues_.end())
        return 0;
    return it->second.items.size() - it->second.next;
}

int FakeDemux::ReadFor(uint16_t pid, uint8_t tableId, uint8_t* buf, size_t size)
{
    auto it = queues_.find(Key(pid, tableId));
    if (it == queues_.end())
        return -1;
    Queue& q = it->second;
    if (q.next >= q.items.size()) {
        if (!q.loop || q.loopFrom >= q.items.size())
            return -1;
        q.next = q.loopFrom;
    }
    const Item& item = q.items[q.next++];
    if (item.bytes.empty())
        return item.result;
    size_t n = item.bytes.size() < size ? item.bytes.size() : size;
    memcpy(buf, item.bytes.data(), n);
    return static_cast<int>(n);
}
