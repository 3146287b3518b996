#include "framework/Wgl.h"

#include "framework/CWnd.h"

int ChoosePixelFormat(CWndHost* pHost, const PIXELFORMATDESCRIPTOR* ppfd)
{
    return pHost && ppfd ? pHost->ChoosePixelFormat(*ppfd) : 0;
}

BOOL SetPixelFormat(CWndHost* pHost, int iPixelFormat, const PIXELFORMATDESCRIPTOR* ppfd)
{
    return pHost && ppfd && iPixelFormat > 0 && pHost->SetPixelFormat(iPixelFormat, *ppfd) ? TRUE : FALSE;
}

BOOL DescribePixelFormat(CWndHost* pHost, int iPixelFormat, PIXELFORMATDESCRIPTOR* ppfd)
{
    return pHost && ppfd && iPixelFormat > 0 && pHost->DescribePixelFormat(iPixelFormat, *ppfd) ? TRUE : FALSE;
}

int GetPixelFormat(CWndHost* pHost)
{
    return pHost ? pHost->GetPixelFormat() : 0;
}
