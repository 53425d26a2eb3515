#include "KzSTL.h"

#include "StlErrorText.h"
#include "StlFailure.h"
#include "StlReader.h"

#include <new>
#include <stdexcept>

namespace
{
CString g_error;
} // namespace

int KzSTL::STLToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes)
{
    g_error.Empty();
    try
    {
        kzstl::ReadStl(path.Str(), meshes);
        return 1;
    }
    catch (const kzstl::StlFailure& failure)
    {
        g_error = kzstl::DescribeFailure(path, failure);
    }
    catch (const std::length_error&)
    {
        g_error = kzstl::DescribeFailure(path, kzstl::StlFailure{kzstl::Problem::TooLarge});
    }
    catch (const std::bad_alloc&)
    {
        g_error = kzstl::DescribeOutOfMemory(path);
    }
    return 0;
}

CString KzSTL::GetError()
{
    return g_error;
}
