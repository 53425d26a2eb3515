// The import command, step by step: caption, path, options, reading, Y up, the bridge, the outcome.
#include "ImportSTLFile.h"

#include "afxdlgs.h"

#include "HostUtils.h"
#include "KzSTL.h"
#include "NVKSWON.h"
#include "opennurbs.h"

#include "ImportOptions.h"
#include "ProductCaption.h"

int ImportSTLFile(ISldWorks* pSldWorks, CString path)
{
    BuildProductCaption(pSldWorks);
    CWnd* frame = HostUtils::GetHostFrameWindow(pSldWorks);

    if (path != L"")
    {
        CString lowerPath = path;
        lowerPath.MakeLower();
        const int position = lowerPath.Find(L".stl", 0);
        if (position < 0)
        {
            ShowMessage(L"Please specify a file name with a .stl extension");
            return 0;
        }
        path = path.Left(position + 4); // in the case given; whatever follows the first ".stl" goes
    }
    else
    {
        CFileDialog fileDialog(TRUE, L"stl", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                               L"Stereolithography STL Files (*.stl)|*.stl||", frame, 0, TRUE);
        if (fileDialog.DoModal() == IDCANCEL)
            return 0;
        path = fileDialog.GetPathName();
    }

    int units, importAs, multiBody, yUp, progress;
    if (!GetImportOptions(&units, &importAs, &multiBody, &yUp, &progress))
        return 0;

    // Owned here from now on, and destroyed with every mesh in it on every way out.
    ON_ClassArray<ON_Mesh> meshes;
    if (!KzSTL::STLToMesh(path, meshes))
    {
        ShowMessage(KzSTL::GetError());
        return 0;
    }
    if (meshes.Count() == 0)
    {
        ShowMessage(L"STL file does not contain meshes");
        return 0;
    }

    // The file's +Z axis becomes the part's +Y axis: (x, y, z) becomes (x, z, -y).
    if (yUp == 1)
        for (int i = 0; i < meshes.Count(); i++)
            meshes[i].Rotate(-1.5707963267948966, ON_3dVector(1.0, 0.0, 0.0), ON_3dPoint(0.0, 0.0, 0.0));

    if (NVKSWON::CreatePartFromMeshes(pSldWorks, meshes, units, importAs, multiBody, progress))
    {
        ShowMessage(L"Success");
        return 1;
    }
    ShowMessage(NVKSWON::GetError());
    return 0;
}
