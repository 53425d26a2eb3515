// Live counts of the graphics and OLE stand-ins, so that tests can prove everything was released.
#pragma once

namespace platform
{
long LiveBitmapCount();
long LivePictureCount();
long LiveStreamCount();
long LiveGlobalCount();
} // namespace platform
