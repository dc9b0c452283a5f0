// Umbrella header of the application-framework layer.
#pragma once

#include "Strings.h"
#include "Collections.h"
#include "Geometry.h"
#include "WinApp.h"
#include "Wnd.h"
