#include "framework/Resources.h"

#include "framework/AfxRes.h"

#include <cstdarg>
#include <cstdio>

namespace {

const ResourceSet* s_pResources = nullptr;

// What the framework itself says: the same in every program built on it.
const StringDef s_frameworkStrings[] = {
    {AFX_IDS_UNTITLED, "無題"},
    {AFX_IDS_SAVEFILE, "名前を付けて保存"},
    {AFX_IDS_ALLFILTER, "すべてのファイル (*)"},
    {AFX_IDS_OPENFILE, "開く"},
    {AFX_IDS_BUTTON_OK, "OK"},
    {AFX_IDS_BUTTON_CANCEL, "キャンセル"},
    {AFX_IDS_BUTTON_YES, "はい(&Y)"},
    {AFX_IDS_BUTTON_NO, "いいえ(&N)"},
    {AFX_IDP_ASK_TO_SAVE, "%s への変更を保存しますか?"},
    {AFX_IDP_PARSE_REAL, "数値を入力してください。"},
    {AFX_IDP_PARSE_REAL_RANGE, "%s から %s までの数値を入力してください。"},
};

const char* FindString(std::span<const StringDef> strings, UINT nID)
{
    for (const StringDef& s : strings) {
        if (s.nID == nID)
            return s.text;
    }
    return nullptr;
}

std::string FormatV(const char* format, va_list args)
{
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, again);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(again);
    return out;
}

}  // namespace

void AfxSetResources(const ResourceSet* pResources)
{
    s_pResources = pResources;
}

const ResourceSet* AfxGetResources()
{
    return s_pResources;
}

std::string_view AfxLoadString(UINT nID)
{
    const char* text = s_pResources ? FindString(s_pResources->strings, nID) : nullptr;
    if (!text)
        text = FindString(s_frameworkStrings, nID);
    return text ? std::string_view(text) : std::string_view();
}

std::string AfxFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string out = FormatV(format, args);
    va_end(args);
    return out;
}

std::string AfxFormatString(UINT nID, ...)
{
    const std::string format(AfxLoadString(nID));
    va_list args;
    va_start(args, nID);
    std::string out = FormatV(format.c_str(), args);
    va_end(args);
    return out;
}

const DialogDef* AfxFindDialog(UINT nID)
{
    if (s_pResources) {
        for (const DialogDef& d : s_pResources->dialogs) {
            if (d.nID == nID)
                return &d;
        }
    }
    return nullptr;
}
