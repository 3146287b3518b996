// The document's file and map commands live in other areas of the program. These weak
// stand-ins let the geometry tests link a document on their own; wherever the real
// definitions are linked in, they win.
#include "doc/TrackwrightDoc.h"

__attribute__((weak)) BOOL CTrackwrightDoc::OnOpenDocument(const std::string&) { return FALSE; }
__attribute__((weak)) BOOL CTrackwrightDoc::OnSaveDocument(const std::string&) { return FALSE; }
__attribute__((weak)) void CTrackwrightDoc::OnSettings() {}
__attribute__((weak)) void CTrackwrightDoc::OnViewHeightMap() {}
__attribute__((weak)) void CTrackwrightDoc::OnViewColorMap() {}
__attribute__((weak)) void CTrackwrightDoc::OnUpdateViewHeightMap(CCmdUI*) {}
__attribute__((weak)) void CTrackwrightDoc::OnUpdateViewColorMap(CCmdUI*) {}
