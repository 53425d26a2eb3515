// The one pattern of the bridge's array sketch operations: each element drawn by its single form.
#pragma once

#include "opennurbs.h"
#include "sldworks.h"

#include "NVKProgress.h"

// Draws each element with its single form and the progress flag 0, counting elements in a window
// titled `title`, so that the inner windows are never shown. The first element that gives 0 ends
// it with 0, without ending the window.
template <class Element>
int CreateSketchFromEach(IModelDoc* pDoc, const ON_ClassArray<Element>& elements, double scale, int progress,
                         const wchar_t* title,
                         int (*createSketchFrom)(IModelDoc*, const Element&, double, int))
{
    NVKProgress progressWindow(title, L"", 0.0, 100.0, NULL);
    if (progress)
    {
        progressWindow.SetMax((double)elements.Count());
        progressWindow.StartProgress();
    }
    for (int i = 0; i < elements.Count(); i++)
    {
        if (progress)
            progressWindow.StepIt(1.0);
        if (!createSketchFrom(pDoc, elements[i], scale, 0))
            return 0;
    }
    if (progress)
        progressWindow.EndProgress();
    return 1;
}
