// Taking back meshes a failed read appended.
#pragma once

#include "opennurbs.h"

namespace kzstl
{
// Destroys the meshes from index `count` on and shortens the array to `count`.
inline void RemoveMeshesFrom(ON_ClassArray<ON_Mesh>& meshes, int count)
{
    for (int i = count; i < meshes.Count(); ++i)
        meshes[i].Destroy();
    meshes.SetCount(count);
}
} // namespace kzstl
