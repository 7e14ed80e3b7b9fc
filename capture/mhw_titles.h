// The broadcaster's title carousel: one 46-byte section per title, and
// marker sections (channel id 0xFF) that name a day and hour of the week.
// A start is coded as weekday, a coded hour and a minute of provider local
// time; it is placed in the week that begins at 06:00 of the provider's
// yesterday (the day base).
#ifndef UDOVOR_CAPTURE_MHW_TITLES_H
#define UDOVOR_CAPTURE_MHW_TITLES_H

#include <cstddef>
#include <cstdint>

#include "capture/capture_data.h"

const uint16_t kTitlePid = 0x00D2;
const uint8_t kTitleTableId = 0x90;
const size_t kTitleSectionSize = 46;
const uint8_t kMarkerChannelId = 0xFF;

const size_t kTitleChannelOffset = 3;
const size_t kTitleThemeOffset = 4;
const size_t kTitleDayHourOffset = 5;
const size_t kTitleMinuteOffset = 6;
const size_t kTitleDurationOffset = 9;
const size_t kTitleTextOffset = 11;
const size_t kTitleTextBytes = 23;
const size_t kTitleSecondIdOffset = 34;
const size_t kTitleProgramIdOffset = 38;

const int kSecondsPerWeek = 7 * 86400;
// A start at or before 05:59:59 of the day base's day belongs to next week.
const int kWeekStartSeconds = 21599;

// Day (0 = Sunday) and hour of a coded day-and-hour byte. Coded hours 0 to
// 7 belong to the next day; the hour may come out as 24 to 27 for coded
// hours 28 to 31.
void DecodeDayHour(uint8_t dayHour, int* day, int* hour);

// A title's start in the box's time base.
int32_t TitleStart(uint8_t dayHour, uint8_t minuteByte, int32_t dayBase, int dayBaseWeekday);

bool IsMarkerSection(const uint8_t* section, size_t length);

// The hour marker cell of a marker section; false when the section is not
// a marker or its cell lies outside the 7 x 24 table.
bool MarkerCell(const uint8_t* section, size_t length, int* day, int* hour);

// A title record from a title section; false when the section is not a
// 46-byte title section.
bool DecodeTitleSection(const uint8_t* section, size_t length, int32_t dayBase, int dayBaseWeekday,
                        TitleRecord* out);

#endif
