// The object catalogue reader on any bytes.
#include "FuzzCheck.h"

#include "file/Tokenizer.h"
#include "file/XObjectCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // As ReadXObjectCatalogue gets it from the file.
    std::string text(reinterpret_cast<const char*>(data), size);
    DropCrBeforeLf(text);
    RecordList<XObjectType> types;
    ParseXObjectCatalogue(text, types);
    // Every entry but a last, cut one takes at least a name character and two separators.
    FUZZ_CHECK(static_cast<std::size_t>(types.GetSize()) <= text.size() / 3 + 1);
    return 0;
}
