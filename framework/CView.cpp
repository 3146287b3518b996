#include "framework/CView.h"

#include "framework/AfxRes.h"
#include "framework/Backend.h"

void CView::OnFilePrint()
{
    if (CBackend* pBackend = AfxGetBackend())
        pBackend->PrintView(this, false);
}

bool CView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CmdMapEntry<CView> map[] = {
        {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, &CView::OnFilePrint, nullptr},
    };
    return DispatchCmdMsg(this, map, nID, nCode, pCmdUI);
}
