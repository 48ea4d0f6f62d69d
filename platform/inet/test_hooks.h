// Settings that only tests change: which CA to trust and shorter time-outs.
// The program never calls these; it always runs with the defaults below.
#pragma once

#include <string>

struct InternetTestSettings {
  std::string caFile;             // PEM file trusted instead of the system's CAs; empty = system
  long connectTimeoutMs = 60000;  // time to establish the connection (TLS and proxy included)
  long stallTimeoutMs = 60000;    // time without any byte received before a transfer fails
};

// Replaces the settings for every request sent afterwards, on any thread.
void SetInternetTestSettings(const InternetTestSettings& settings);

// Back to the defaults.
void ResetInternetTestSettings();

// The settings in force.
InternetTestSettings CurrentInternetSettings();

// Forgets every cookie the layer's own store holds.
void ClearInternetCookieStore();
