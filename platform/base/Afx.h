// The platform layer's base: everything the editor's code needs from it, in one include.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#if __has_include("platform/base/FileSystem.h")
#include "platform/base/FileSystem.h"
#endif
#if __has_include("platform/base/CodePage.h")
#include "platform/base/CodePage.h"
#endif
#if __has_include("platform/base/Profile.h")
#include "platform/base/Profile.h"
#endif
#include "platform/base/Object.h"
#include "platform/base/Archive.h"
#include "platform/base/Collections.h"
