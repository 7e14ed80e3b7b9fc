#include "capture/tot.h"

#include "capture/bytereader.h"

namespace {

struct CountryRegion {
    const char* code;
    int region;
};

// The countries whose offsets the guide uses; no order of preference.
const CountryRegion kCountries[] = {
    {"FRA", 0}, {"POL", 0}, {"NLD", 0}, {"NED", 0}, {"GER", 0}, {"DEU", 0},
    {"ITA", 0}, {"DNK", 0}, {"SWE", 0}, {"FIN", 0}, {"NOR", 0}, {"ESP", 1},
};

}  // namespace

void DecodeLtoEntry(const uint8_t* p, item_local_time_offset_struct* e)
{
    ByteReader r(p, kLtoEntrySize);
    for (int i = 0; i < kCountryCodeSize; ++i)
        e->country_code[i] = static_cast<char>(r.u8());
    uint8_t b = r.u8();
    e->country_region_id = static_cast<uint8_t>(Bits(b, 7, 2));
    e->local_time_offset_polarity = static_cast<uint8_t>(Bits(b, 0, 0));
    e->local_time_offset = r.u16();
    e->time_of_change = r.mjdTime();
    e->next_time_offset = r.u16();
}

int timezonecmp(const item_local_time_offset_struct* e, const char* code, int region)
{
    if (!e || !code)
        return 1;
    for (int i = 0; i < kCountryCodeSize; ++i)
        if (code[i] == '\0' || e->country_code[i] != code[i])
            return 1;
    return e->country_region_id == region ? 0 : 1;
}

bool UsableTimeZone(const item_local_time_offset_struct* e)
{
    for (const CountryRegion& c : kCountries)
        if (timezonecmp(e, c.code, c.region) == 0)
            return true;
    return false;
}

int EntryLocalOffset(const item_local_time_offset_struct* e)
{
    int s = BcdOffsetSeconds(e->local_time_offset);
    return e->local_time_offset_polarity ? -s : s;
}

int EntryNextOffset(const item_local_time_offset_struct* e)
{
    int s = BcdOffsetSeconds(e->next_time_offset);
    return e->local_time_offset_polarity ? -s : s;
}

int DecodeTot(const uint8_t* section, size_t length, TotInfo* out)
{
    *out = TotInfo();
    ByteReader r(section, length);
    r.skip(kTotUtcOffset);
    int32_t utc = r.mjdTime();
    if (!r.ok())
        return -1;
    out->haveUtc = true;
    out->utc = utc;
    if (length <= kTotFixedSize)
        return -1;

    ByteReader area(section + kTotDescriptorsOffset, length - kTotFixedSize);
    while (area.remaining() > 0) {
        uint8_t tag = area.u8();
        uint8_t len = area.u8();
        if (!area.ok())
            break;
        size_t inArea = len < area.remaining() ? len : area.remaining();
        if (tag == kLocalTimeOffsetTag) {
            const uint8_t* p = area.here();
            for (size_t i = 0; i + kLtoEntrySize <= inArea && i / kLtoEntrySize < len / kLtoEntrySize;
                 i += kLtoEntrySize) {
                item_local_time_offset_struct e;
                DecodeLtoEntry(p + i, &e);
                if (UsableTimeZone(&e)) {
                    out->haveEntry = true;
                    out->entry = e;
                    return 0;
                }
            }
        }
        area.skip(inArea);
    }
    return -1;
}

int ClockCorrection(int32_t utc, long now)
{
    long long diff = static_cast<long long>(utc) - now + 1800;
    return static_cast<int>(diff / 3600 * 3600);
}
