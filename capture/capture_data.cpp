#include "capture/capture_data.h"

long ToProviderLocal(const TimeOffsets& o, long t)
{
    return t + (t < o.timeOfChange ? o.currentOffset : o.nextOffset);
}

long ToBoxTime(const TimeOffsets& o, long t)
{
    return t - (t < o.timeOfChange ? o.currentOffset : o.nextOffset);
}

void CaptureData::ClearMarkers()
{
    for (auto& day : hourMarkers)
        for (int& entry : day)
            entry = -1;
}

bool CaptureData::AnyMarker() const
{
    for (const auto& day : hourMarkers)
        for (int entry : day)
            if (entry != -1)
                return true;
    return false;
}

void CaptureData::ClearTitles()
{
    for (int i = 0; i < titleCount; ++i)
        titles[i].reset();
    titleCount = 0;
}

void CaptureData::ClearSummaries()
{
    for (int i = 0; i < summaryCount; ++i)
        summaries[i].reset();
    summaryCount = 0;
}
