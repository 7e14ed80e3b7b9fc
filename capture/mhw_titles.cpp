#include "capture/mhw_titles.h"

#include "capture/bytereader.h"

void DecodeDayHour(uint8_t dayHour, int* day, int* hour)
{
    int d = Bits(dayHour, 7, 5);
    int h = Bits(dayHour, 4, 0);
    if (d == 7)
        d = 0;
    if (h > 15) {
        h -= 4;
    } else if (h > 7) {
        h -= 2;
    } else {
        d = d == 6 ? 0 : d + 1;
    }
    *day = d;
    *hour = h;
}

int32_t TitleStart(uint8_t dayHour, uint8_t minuteByte, int32_t dayBase, int dayBaseWeekday)
{
    int day, hour;
    DecodeDayHour(dayHour, &day, &hour);
    int minute = Bits(minuteByte, 7, 2);
    int32_t d = (day - dayBaseWeekday) * 86400 + hour * 3600 + minute * 60;
    if (d <= kWeekStartSeconds)
        d += kSecondsPerWeek;
    return static_cast<int32_t>(static_cast<uint32_t>(dayBase) + static_cast<uint32_t>(d));
}

bool IsMarkerSection(const uint8_t* section, size_t length)
{
    return section && length == kTitleSectionSize && section[kTitleChannelOffset] == kMarkerChannelId;
}

bool MarkerCell(const uint8_t* section, size_t length, int* day, int* hour)
{
    if (!IsMarkerSection(section, length))
        return false;
    DecodeDayHour(section[kTitleDayHourOffset], day, hour);
    return *day >= 0 && *day < kMarkerDays && *hour >= 0 && *hour < kMarkerHours;
}

bool DecodeTitleSection(const uint8_t* section, size_t length, int32_t dayBase, int dayBaseWeekday,
                        TitleRecord* out)
{
    if (!section || length != kTitleSectionSize || IsMarkerSection(section, length))
        return false;
    ByteReader r(section, length);
    r.skip(kTitleChannelOffset);
    out->channelIndex = static_cast<uint8_t>(r.u8() - 1);
    out->themeId = r.u8();
    uint8_t dayHour = r.u8();
    uint8_t minute = r.u8();
    out->start = TitleStart(dayHour, minute, dayBase, dayBaseWeekday);
    out->summaryFlag = static_cast<uint8_t>(Bits(minute, 0, 0));
    r.skip(kTitleDurationOffset - r.pos());
    out->duration = static_cast<uint16_t>(r.u16() * 60u);
    r.bytes(reinterpret_cast<uint8_t*>(out->title), kTitleTextBytes);
    out->title[kTitleTextBytes] = '\0';
    out->secondId = r.u32();
    out->programId = r.u32();
    return r.ok();
}
