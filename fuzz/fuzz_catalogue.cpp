// The object catalogue reader on any bytes.
#include "FuzzCheck.h"

#include "file/Tokenizer.h"
#include "file/XObjectCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // As ReadXObjectCatalogue gets it from the file (a text of its own length, so that a read
    // past its end is caught).
    std::string text(reinterpret_cast<const char*>(data), size);
    DropCrBeforeLf(text);
    // The list keeps its room from one input to the next: grown afresh, thousands of entries
    // cost more in new pages than the parse itself.
    static RecordList<XObjectType> types;
    types.SetSize(0);
    ParseXObjectCatalogue(text, types);
    // Every entry but a last, cut one takes at least a name character and two separators.
    FUZZ_CHECK(static_cast<std::size_t>(types.GetSize()) <= text.size() / 3 + 1);
    return 0;
}
