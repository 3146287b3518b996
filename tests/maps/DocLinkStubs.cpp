#include "doc/TrackwrightDoc.h"

// The document's settings command and its course file open and save are not what these tests
// drive, and may not be part of the core library yet. Weak stand-ins let the document link;
// wherever the real definitions are linked in, they take precedence.

__attribute__((weak)) void CTrackwrightDoc::OnSettings() {}

__attribute__((weak)) BOOL CTrackwrightDoc::OnOpenDocument(const std::string&)
{
    return FALSE;
}

__attribute__((weak)) BOOL CTrackwrightDoc::OnSaveDocument(const std::string&)
{
    return FALSE;
}
