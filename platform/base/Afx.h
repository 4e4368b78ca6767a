// The platform layer's base: everything the editor's code needs from it, in one include.
#pragma once

#include "platform/base/WinTypes.h"
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/base/Exceptions.h"
#include "platform/base/File.h"
#include "platform/base/FileSystem.h"
#include "platform/base/CodePage.h"
#include "platform/base/Profile.h"
#include "platform/base/OleDateTime.h"
#include "platform/base/Object.h"
#include "platform/base/Archive.h"
#include "platform/base/Collections.h"
