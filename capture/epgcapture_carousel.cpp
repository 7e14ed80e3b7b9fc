// The carousel reads of a capture: one full turn of the title
// carousel and of the summary carousel.
//
// What the broadcast can do to a carousel read, and what happens then:
//   - the signal drops (reads time out): up to kMaxFailedReads failed reads
//     in a row are waited out; then the read gives up as a failed read does;
//   - the section that began the turn never comes again (its hour or its
//     programme has gone from the carousel meanwhile): after
//     kMaxTurnSections sections the read gives up with a box;
//   - more titles or summaries than the records hold, markers for hours
//     outside the week's table: dropped.
#include <cstring>
#include <new>

#include "capture/demux.h"
#include "capture/epgcapture.h"
#include "capture/mhw_summaries.h"
#include "capture/mhw_titles.h"
#include "plugin/diagnostics.h"

int EpgCapture::GetTitles()
{
    CaptureData& cap = *cap_;
    cap.ClearTitles();
    cap.ClearMarkers();

    int handle = OpenTable("DEMUX DEVICE ", kTitlePid, kTitleTableId);
    if (handle < 0)
        return -1;

    int n;
    for (int seen = 0;; ++seen) {
        n = ReadSection(handle);
        if (n < 0 || seen >= kMaxTurnSections) {
            myerror("Not on EPG Channel!");
            CloseTable(handle);
            return -1;
        }
        if (IsMarkerSection(sectionBuffer_, static_cast<size_t>(n)))
            break;
    }
    uint8_t first[kTitleSectionSize];
    memcpy(first, sectionBuffer_, kTitleSectionSize);

    bool full = false;
    int failed = 0;
    for (int sections = 0;; ++sections) {
        int day, hour;
        if (n == static_cast<int>(kTitleSectionSize)) {
            if (IsMarkerSection(sectionBuffer_, kTitleSectionSize)) {
                if (MarkerCell(sectionBuffer_, kTitleSectionSize, &day, &hour))
                    cap.hourMarkers[day][hour] = cap.titleCount;
            } else if (cap.titleCount < kMaxTitles) {
                TitleRecord* t = new (std::nothrow) TitleRecord;
                if (!t) {
                    myerror("Memory allocation problem");
                    CloseTable(handle);
                    return -1;
                }
                cap.titles[cap.titleCount++].reset(t);
                DecodeTitleSection(sectionBuffer_, kTitleSectionSize, cap.dayBase, cap.dayBaseWeekday, t);
                TitleCounted(cap.titleCount);
            } else if (!full) {
                full = true;
                Log("Title list full, further titles dropped:", cap.titleCount);
            }
        }

        n = ReadSection(handle);
        if (n != static_cast<int>(kTitleSectionSize))
            myerror("Warning, wrong size table : \n", n);
        if (n == 0 ||
            (n == static_cast<int>(kTitleSectionSize) && memcmp(sectionBuffer_, first, kTitleSectionSize) == 0))
            break;
        failed = n < 0 ? failed + 1 : 0;
        if (failed >= kMaxFailedReads) {
            myerror("Lost the EPG stream while reading titles");
            CloseTable(handle);
            return -1;
        }
        if (sections >= kMaxTurnSections) {
            myerror("The titles carousel did not come round");
            CloseTable(handle);
            return -1;
        }
    }
    CloseTable(handle);
    return 0;
}

int EpgCapture::GetSummaries()
{
    CaptureData& cap = *cap_;
    cap.ClearSummaries();

    int handle = OpenTable("DEMUX DEVICE ", kSummaryPid, kSummaryTableId);
    if (handle < 0)
        return -1;

    int n;
    int failed = 0;
    for (int seen = 0;; ++seen) {
        n = ReadSection(handle);
        if (n > 0 && IsSummarySection(sectionBuffer_, static_cast<size_t>(n)))
            break;
        failed = n <= 0 ? failed + 1 : 0;
        if (failed >= kMaxFailedReads || seen >= kMaxTurnSections) {
            myerror("Error reading summaries");
            CloseTable(handle);
            return 1;
        }
    }
    uint8_t endMark[kSummaryHeaderSize];
    memcpy(endMark, sectionBuffer_, kSummaryHeaderSize);

    bool full = false;
    failed = 0;
    for (int sections = 0;; ++sections) {
        n = ReadSection(handle);
        if (n <= 0) {
            if (++failed >= kMaxFailedReads) {
                myerror("Error reading summaries");
                CloseTable(handle);
                return 1;
            }
            continue;
        }
        failed = 0;
        if (IsSummarySection(sectionBuffer_, static_cast<size_t>(n))) {
            bool last = memcmp(sectionBuffer_, endMark, kSummaryHeaderSize) == 0;
            if (cap.summaryCount < kMaxSummaries) {
                SummaryRecord* s = new (std::nothrow) SummaryRecord;
                if (!s) {
                    myerror("Memory allocation problem");
                    CloseTable(handle);
                    return -1;
                }
                cap.summaries[cap.summaryCount++].reset(s);
                if (DecodeSummarySection(sectionBuffer_, static_cast<size_t>(n), cap.offsets, s) != 0) {
                    myerror("Memory allocation problem");
                    CloseTable(handle);
                    return -1;
                }
                SummaryCounted(cap.summaryCount);
            } else if (!full) {
                full = true;
                Log("Summary list full, further summaries dropped:", cap.summaryCount);
            }
            if (last) {
                CloseTable(handle);
                return 0;
            }
        }
        if (sections >= kMaxTurnSections) {
            myerror("The summaries carousel did not come round");
            CloseTable(handle);
            return 1;
        }
    }
}
