// The browser build writes no files of its own: a player takes screenshots with the
// browser, and tests take them of the page.

#include "Platform/Screenshot.h"

#include "Platform/Log.h"

bool CanWriteScreenshot(const String&, String& reason)
{
    reason = "the browser build writes no screenshots";
    return false;
}

bool SavePng(const FrameImage&, const String& fileName)
{
    SystemLogInstance().Printf("ERROR: could not write the screenshot %s: the browser build writes no screenshots",
                               fileName.c_str());
    return false;
}
