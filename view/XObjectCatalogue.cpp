// The view's catalogue of object types, read once while the view is made; a missing or
// unreadable file leaves it empty, without a message.
#include "file/DataFile.h"
#include "file/Tokenizer.h"
#include "file/XObjectCatalogue.h"
#include "view/TrackwrightView.h"

#include <string>

void CTrackwrightView::ReadXObjectCatalogue()
{
    std::string text;
    if (!ReadTextFile(DataFilePath(m_dataDir, "xfiles.txt"), kMaxCatalogueFileBytes, text))
        return;
    ParseXObjectCatalogue(text, m_XObjectTypes);
}
