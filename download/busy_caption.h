// What the download button shows while the audio downloads.
#pragma once

#include "text/values.h"

// "正在下载..." followed by the share received when the size is known (total
// above 0), else by the amount received so far ("正在下载...1.5MB").
Text BusyCaption(long long received, long long total);
