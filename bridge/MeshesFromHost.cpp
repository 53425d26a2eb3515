// Host bodies, parts, assembly trees and documents back into openNURBS meshes, in metres, with
// a name per mesh and one colour per mesh.
#include "NVKSWON.h"

#include <new>

// A channel of the colour rule: the product truncated toward zero and held to 0..255 while still
// a double, so that a wild material value cannot overflow the conversion to int.
static int ColourChannel(double value)
{
    const double scaled = value * 255.0;
    if (!(scaled > 0.0)) // NaN included
        return 0;
    if (scaled >= 255.0)
        return 255;
    return (int)scaled;
}

// Material values: red, green, blue at 0 to 2, transparency at 7.
static ON_Color ColourFromMaterial(const double* values)
{
    ON_Color colour;
    colour.SetRGBA(ColourChannel(values[0]), ColourChannel(values[1]), ColourChannel(values[2]),
                   ColourChannel(1.0 - values[7]));
    return colour;
}

static CString MeshName(const CString& owner, IBody* pBody)
{
    BSTR bodyName = NULL;
    // A body that gives no name is still told apart from its owner.
    CString strBody = pBody->GetName(&bodyName) == S_OK ? CString(bodyName) : CString(L"Body");
    SysFreeString(bodyName);
    CString name;
    name.Format(L"%s-%s", (LPCWSTR)owner, (LPCWSTR)strBody);
    return name;
}

// Appends the mesh of every body that the enumeration gives, named after the owner and the body;
// a body whose mesh fails is skipped. Returns the number of meshes appended.
static int AppendBodyMeshes(IEnumBodies* pEnum, const CString& owner, const ON_Color* colour,
                            ON_ClassArray<ON_Mesh>& meshes, CStringArray* names)
{
    int appended = 0;
    IBody* pBody = NULL;
    while (pEnum->Next(1, &pBody, NULL) == S_OK)
    {
        if (pBody == NULL)
            continue;
        ON_Mesh mesh;
        if (NVKSWON::GetMeshFromBody(pBody, mesh))
        {
            if (colour)
                mesh.m_C.Append(*colour);
            meshes.Append(mesh);
            if (names)
                names->Add(MeshName(owner, pBody));
            appended++;
        }
        pBody->Release();
        pBody = NULL;
    }
    return appended;
}

int NVKSWON::AppendTriangle(ON_Mesh& mesh, const ON_3dPoint& a, const ON_3dPoint& b, const ON_3dPoint& c)
{
    ON_Mesh triangle(1, 3, false, false);
    triangle.SetVertex(0, a);
    triangle.SetVertex(1, b);
    triangle.SetVertex(2, c);
    triangle.SetTriangle(0, 0, 1, 2);
    if (!triangle.Topology().IsValid())
        return 0;
    mesh.Append(triangle);
    return 1;
}

// The triangles of one face appended to the mesh; a face whose tessellation fails adds nothing.
// A count of 0 is still asked for its triangles; a negative one cannot size a buffer.
static void AppendFaceTriangles(IFace* pFace, ON_Mesh& mesh)
{
    LONG count = 0;
    if (pFace->GetTriangleCount(&count) != S_OK || count < 0)
        return;
    float* corners = new (std::nothrow) float[9 * (size_t)count];
    if (corners == NULL)
        return;
    if (pFace->GetTriangles(0, corners) == S_OK)
    {
        for (LONG k = 0; k < count; k++)
        {
            const float* t = corners + 9 * (size_t)k;
            NVKSWON::AppendTriangle(mesh, ON_3dPoint(t[0], t[1], t[2]), ON_3dPoint(t[3], t[4], t[5]),
                                    ON_3dPoint(t[6], t[7], t[8]));
        }
    }
    delete[] corners;
}

int NVKSWON::GetMeshFromBody(IBody* pBody, ON_Mesh& mesh)
{
    IFace* pFace = NULL;
    if (pBody->GetFirstFace(&pFace) != S_OK || pFace == NULL)
    {
        m_strError = L"Unable to get first face of body";
        return 0;
    }

    ON_Mesh working;
    while (pFace != NULL)
    {
        AppendFaceTriangles(pFace, working);
        IFace* pNext = NULL;
        pFace->GetNextFace(&pNext);
        pFace->Release();
        pFace = pNext;
    }

    working.CombineIdenticalVertices(true, true);
    if (!working.IsValid())
    {
        m_strError = L"[NVKSWON::GetMeshFromBody] Invalid mesh";
        return 0;
    }
    mesh = working;
    return 1;
}

int NVKSWON::GetPartMeshes(IPartDoc* pPart, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names,
                           short visibleOnly)
{
    CString partName = L"Part";
    ITitledModelDoc* pTitled = NULL;
    if (pPart->QueryInterface(IID_ITitledModelDoc, (void**)&pTitled) == S_OK && pTitled != NULL)
    {
        BSTR title = NULL;
        if (pTitled->GetTitle(&title) == S_OK)
        {
            CString strTitle(title);
            partName = strTitle.Left(strTitle.ReverseFind(L'.'));
        }
        SysFreeString(title);
        pTitled->Release();
    }

    ON_Color colour(255, 255, 255);
    double material[10];
    if (pPart->GetMaterialValues(material) == S_OK)
        colour = ColourFromMaterial(material);

    int appended = 0;
    for (LONG kind = 0; kind <= 1; kind++) // solid bodies, then sheet bodies
    {
        IEnumBodies* pEnum = NULL;
        if (pPart->GetBodies(kind, visibleOnly, &pEnum) != S_OK || pEnum == NULL)
            continue;
        appended += AppendBodyMeshes(pEnum, partName, &colour, meshes, names);
        pEnum->Release();
    }
    if (appended == 0)
    {
        m_strError = L"Unable to get part bodies";
        return 0;
    }
    return 1;
}

// The component's name as the host gives it, or "Component".
static CString ComponentName(IComponent* pComponent)
{
    BSTR name = NULL;
    CString strName = pComponent->GetName(&name) == S_OK ? CString(name) : CString(L"Component");
    SysFreeString(name);
    return strName;
}

int NVKSWON::GetComponentMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names)
{
    const CString owner = ComponentName(pComponent);
    int appended = 0;
    for (LONG kind = 0; kind <= 1; kind++)
    {
        IEnumBodies* pEnum = NULL;
        if (pComponent->GetBodies(kind, &pEnum) != S_OK || pEnum == NULL)
            continue;
        appended += AppendBodyMeshes(pEnum, owner, NULL, meshes, names);
        pEnum->Release();
    }
    if (appended == 0)
    {
        m_strError = L"Unable to get component bodies";
        return 0;
    }
    return 1;
}

// The component's colour: its own material, else that of the part it shows, else white.
static ON_Color ComponentColour(IComponent* pComponent, IModelDoc* pModel)
{
    double material[10];
    if (pComponent->GetMaterialValues(material) == S_OK)
        return ColourFromMaterial(material);
    ON_Color colour(255, 255, 255);
    IPartDoc* pPart = NULL;
    if (pModel != NULL && pModel->QueryInterface(IID_IPartDoc, (void**)&pPart) == S_OK && pPart != NULL)
    {
        if (pPart->GetMaterialValues(material) == S_OK)
            colour = ColourFromMaterial(material);
        pPart->Release();
    }
    return colour;
}

// The component's placement: the rotation stored column by column, then the translation. The
// host gives both in metres, and the meshes stay in metres like those of a part.
static ON_Xform ComponentTransform(IComponent* pComponent)
{
    double values[16] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    pComponent->GetTransform(values);
    ON_Xform xform(1.0);
    for (int r = 0; r < 3; r++)
    {
        for (int c = 0; c < 3; c++)
            xform[r][c] = values[3 * c + r];
        xform[r][3] = values[9 + r];
    }
    return xform;
}

int NVKSWON::GetComponentTreeMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes,
                                    CStringArray* names)
{
    const CString componentName = ComponentName(pComponent);

    ON_ClassArray<ON_Mesh> own;
    CStringArray ownNames;
    if (GetComponentMeshes(pComponent, own, &ownNames))
    {
        IModelDoc* pModel = NULL;
        pComponent->GetModelDoc(&pModel);
        // The model's unit is asked for as ever, but the tree's meshes come out in metres like a
        // part's: scaling only the translation by it would mix units within one mesh.
        LONG unit = 3;
        if (pModel != NULL)
            pModel->GetLengthUnit(&unit);
        const ON_Xform xform = ComponentTransform(pComponent);
        const ON_Color colour = ComponentColour(pComponent, pModel);
        if (pModel != NULL)
            pModel->Release();

        for (int i = 0; i < own.Count(); i++)
        {
            own[i].Transform(xform);
            own[i].m_C.Append(colour);
            meshes.Append(own[i]);
            if (names)
                names->Add(own.Count() == 1 ? componentName : ownNames[i]);
        }
    }

    LONG childCount = 0;
    if (pComponent->GetChildCount(&childCount) != S_OK)
        return 0;
    if (childCount > 0)
    {
        IComponent** children = new (std::nothrow) IComponent*[(size_t)childCount]();
        if (children == NULL)
            return childCount;
        if (pComponent->GetChildren(children) == S_OK)
        {
            for (LONG i = 0; i < childCount; i++)
            {
                if (children[i] == NULL)
                    continue;
                GetComponentTreeMeshes(children[i], meshes, names);
                children[i]->Release();
            }
        }
        delete[] children;
    }
    return childCount;
}

int NVKSWON::GetAssemblyMeshes(IModelDoc* pDoc, IAssemblyDoc* pAssembly, ON_ClassArray<ON_Mesh>& meshes,
                               CStringArray* names)
{
    meshes.Destroy();
    if (names)
        names->SetSize(0);

    LONG unused = 0;
    pAssembly->PrepareAssembly(0, &unused);

    IConfiguration* pConfiguration = NULL;
    if (pDoc->GetActiveConfiguration(&pConfiguration) != S_OK || pConfiguration == NULL)
        return 1;
    IComponent* pRoot = NULL;
    if (pConfiguration->GetRootComponent(&pRoot) == S_OK && pRoot != NULL)
    {
        GetComponentTreeMeshes(pRoot, meshes, names);
        pRoot->Release();
    }
    pConfiguration->Release();
    return 1;
}

int NVKSWON::GetDocumentMeshes(IModelDoc* pDoc, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names)
{
    meshes.Destroy();
    if (names)
        names->SetSize(0);

    IPartDoc* pPart = NULL;
    IAssemblyDoc* pAssembly = NULL;
    if (pDoc->QueryInterface(IID_IPartDoc, (void**)&pPart) == S_OK && pPart != NULL)
    {
        GetPartMeshes(pPart, meshes, names, -1);
        pPart->Release();
    }
    else if (pDoc->QueryInterface(IID_IAssemblyDoc, (void**)&pAssembly) == S_OK && pAssembly != NULL)
    {
        GetAssemblyMeshes(pDoc, pAssembly, meshes, names);
        pAssembly->Release();
    }

    if (meshes.Count() > 0)
        return 1;
    m_strError = L"Unable to extract meshes from document";
    return 0;
}

int NVKSWON::GetActiveDocumentMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names)
{
    IModelDoc* pDoc = NULL;
    pApp->GetActiveDocument2(&pDoc);
    if (pDoc == NULL)
    {
        m_strError = L"Unable to retrieve active model";
        return 0;
    }
    const int result = GetDocumentMeshes(pDoc, meshes, names);
    pDoc->Release();
    return result;
}
