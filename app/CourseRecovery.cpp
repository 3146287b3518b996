// The recovery copy at work: written while the course has unsaved edits, removed once it is
// saved or the program ends normally, offered back at the next start or when its course is
// opened again.
#include "app/TrackwrightApp.h"

#include "document/TrackwrightDoc.h"
#include "file/CourseFile.h"
#include "file/Tokenizer.h"
#include "framework/Backend.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWnd.h"
#include "framework/Resources.h"
#include "res/Resource.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

namespace {

// The course file text with the line ends ReadTextFile gives.
std::string TextAsRead(const CTrackwrightDoc& doc)
{
    std::string text = CourseFileText(doc.StoredFields());
    std::erase(text, '\r');
    return text;
}

// The course text a copy for another course is compared with: its file as it is on disk;
// "" when there is no file (an untitled course's copy) or it cannot be read.
std::string TextOnDisk(const std::string& coursePath)
{
    std::string text;
    if (coursePath.empty() || !ReadTextFile(coursePath, kMaxCourseFileBytes, text))
        return {};
    return text;
}

// The recovered course replaces the one on screen and takes the path it was recorded for,
// whether or not a file is still there; the file stays as it was, so the course counts as
// unsaved until the user saves it (Save then writes to that path, or asks where).
void Restore(CTrackwrightDoc& doc, const FoundRecovery& orphan, bool sameCourse)
{
    doc.DeleteContents();
    const std::string coursePath = sameCourse ? doc.GetPathName() : orphan.coursePath;
    doc.TakeStoredCourse(ParseCourseText(orphan.courseText), coursePath);
    if (coursePath.empty())
        doc.ClearPathName();
    else if (!sameCourse)
        doc.SetPathName(coursePath, false);
    doc.m_history.MarkUnsaved();
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr);
}

}  // namespace

int CTrackwrightApp::ExitInstance()
{
    // A normal end: the course was saved, or the user chose not to keep the changes.
    if (m_recovery)
        m_recovery->Remove();
    m_pCheckPanel.reset();
    return CWinApp::ExitInstance();
}

void CTrackwrightApp::OnIdle()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const double seconds = std::chrono::duration<double>(now).count();
    TickRecovery(seconds);
    // The check panel's list follows the course a moment after each edit. A check that took long
    // (a huge course) waits four times its own length before the next, so editing stays fluid.
    if (m_pCheckPanel && seconds >= m_nextCheckFollow) {
        const auto start = std::chrono::steady_clock::now();
        if (m_pCheckPanel->Follow()) {
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            m_nextCheckFollow = seconds + 5.0 * took;
        }
    }
}

void CTrackwrightApp::TickRecovery(double now)
{
    CSingleDocTemplate* pTemplate = GetDocTemplate();
    auto* pDoc = pTemplate ? static_cast<CTrackwrightDoc*>(pTemplate->GetDocument()) : nullptr;
    if (!pDoc || !m_recovery)
        return;
    if (!pDoc->IsModified()) {
        if (m_recovery->Exists())
            m_recovery->Remove();
        return;
    }
    if (!m_recoveryClock.Due(pDoc->m_history.Changes(), now))
        return;
    m_recoveryClock.Done();
    // A failure must not interrupt the user: one line in the status bar, and the next edit
    // tries again; the line goes once a copy is written.
    const bool written = m_recovery->Write(pDoc->GetPathName(), CourseFileText(pDoc->StoredFields()));
    if (written == m_bRecoveryFailed)
        AfxSetStatusText(written ? std::string() : AfxFormatString(IDS_RECOVERY_WRITE_FAILED, m_recovery->Path().c_str()));
    m_bRecoveryFailed = !written;
}

void CTrackwrightApp::OnDocumentOpened(CDocument* pDocument)
{
    const bool atStart = !m_bStarted;
    m_bStarted = true;
    if (!m_recovery)
        return;
    // The course before this one was saved or given up when it was replaced.
    m_recovery->Remove();

    auto& doc = *static_cast<CTrackwrightDoc*>(pDocument);
    const std::string key = RecoveryFile::CourseKey(doc.GetPathName());
    std::vector<FoundRecovery> orphans;
    if (atStart) {
        // Every copy a dead editor left is offered at start, whatever became of its course
        // (moved, deleted, or simply not named now); the copy of the course opened comes first.
        orphans = m_recovery->FindOrphans();
        std::stable_partition(orphans.begin(), orphans.end(),
                              [&key](const FoundRecovery& orphan) { return orphan.coursePath == key; });
    } else if (!key.empty()) {
        // Later, an untitled course's copy is not offered on every New; a course's on its Open.
        if (std::optional<FoundRecovery> orphan = m_recovery->FindOrphan(doc.GetPathName()))
            orphans.push_back(std::move(*orphan));
    }
    for (const FoundRecovery& orphan : orphans) {
        if (OfferOrphan(doc, orphan, orphan.coursePath == key))
            break;   // one course at a time: the others wait for the next start
    }
}

bool CTrackwrightApp::OfferOrphan(CTrackwrightDoc& doc, const FoundRecovery& orphan, bool sameCourse)
{
    if (orphan.courseText == (sameCourse ? TextAsRead(doc) : TextOnDisk(orphan.coursePath))) {
        m_recovery->Discard(orphan);
        return false;
    }
    std::string name = doc.GetTitle();
    if (!sameCourse)
        name = orphan.coursePath.empty() ? GetDocTemplate()->GetUntitledName() : orphan.coursePath;
    // Only a plain No throws the changes away; a box closed otherwise asks again next time.
    switch (AfxMessageBox(AfxFormatString(IDS_RECOVERY_QUESTION, name.c_str()), MB_YESNO | MB_ICONQUESTION)) {
    case IDYES:
        Restore(doc, orphan, sameCourse);
        m_recovery->Adopt(orphan);
        return true;
    case IDNO:
        m_recovery->Discard(orphan);
        return false;
    default:
        return false;
    }
}
