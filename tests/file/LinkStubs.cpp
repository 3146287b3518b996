#include "doc/TrackwrightDoc.h"

// The document's message map names the settings and map commands, which other parts of the
// program supply. The file tests never run them; these weak stand-ins only let the tests
// link on their own, and the real handlers take their place wherever they are built in.
[[gnu::weak]] void CTrackwrightDoc::OnSettings() {}
[[gnu::weak]] void CTrackwrightDoc::OnViewHeightMap() {}
[[gnu::weak]] void CTrackwrightDoc::OnViewColorMap() {}
[[gnu::weak]] void CTrackwrightDoc::OnUpdateViewHeightMap(CCmdUI*) {}
[[gnu::weak]] void CTrackwrightDoc::OnUpdateViewColorMap(CCmdUI*) {}
