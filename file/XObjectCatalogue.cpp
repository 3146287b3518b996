#include "file/XObjectCatalogue.h"

#include "file/NumberText.h"
#include "file/Tokenizer.h"

#include <cstdio>
#include <string>

void ParseXObjectCatalogue(std::string_view text, RecordList<XObjectType>& types)
{
    TokenReader reader(SkipByteOrderMark(text));
    std::string name;
    std::string number;
    for (;;) {
        const int last = reader.ReadToken(name);
        if (EqualsNoCase(name, "%end"))
            break;
        // The end of the text before any character of a name ends the catalogue.
        if (last == EOF && name.empty())
            break;
        XObjectType type;
        type.FileName = name;
        reader.ReadToken(number);
        type.Width = NarrowToFloat(AtoF(number));
        reader.ReadToken(number);
        type.Height = NarrowToFloat(AtoF(number));
        types.Add(type);
    }
}
