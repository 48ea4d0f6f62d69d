// Judging the audio download and the save, and what to tell the user when either failed.
#pragma once

#include "download/download_url.h"
#include "platform/files/safe_save.h"
#include "text/values.h"

enum class DownloadFailure {
  kNone,
  kNoAddress,        // the page held no audio address
  kNotWebAddress,    // the address is not an http or https address
  kUnreachable,      // no response came
  kHttpError,        // the final response's status is not 2xx
  kBrokenOff,        // the body ended before its announced length, or the transfer failed
  kNothingReceived,  // a good response with an empty body
};

// Only a 2xx response whose body arrived whole and is not empty counts as a song.
DownloadFailure JudgeDownload(const Text& address, const Bytes& data, const DownloadOutcome& outcome);

// The user's message for a failed download, in code page 936; the status code is
// named for kHttpError. Empty for kNone.
Text DownloadFailureMessage(DownloadFailure failure, int status);
// The user's message for a failed save, in code page 936. Empty for kNone.
Text SaveFailureMessage(SaveProblem problem);
