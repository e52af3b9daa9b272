// How the book is read aloud, as the grown-ups chose: the narration speed and echo reading.
#pragma once

#include <string>

namespace app {

struct NarrationSettings {
    // 0.5..1.5 in tenths; recordings play this many times as fast, pitch kept.
    double rate = 1.0;
    // After each sentence read aloud, the reader listens and plays the child's voice back.
    bool echo = false;
    // Why echo reading cannot work here (no microphone, capture refused); empty until a try
    // failed. Reading goes on without echo while it is set.
    std::string echoProblem;
};

NarrationSettings& narrationSettings();

// Sets the speed (clamped to 0.5..1.5 and rounded to a tenth) and passes it to the audio
// engine, so the next recording plays at it.
void setNarrationRate(double rate);
// Switching echo reading on forgets the last problem, so the microphone is tried again.
void setEchoReading(bool on);

// A speed as written on a command line: a number from 0.5 to 1.5 in steps of 0.1. False for
// anything else.
bool parseNarrationRate(const std::string& text, double* rate);

// Back to normal speed, echo off, no problem known (tests run several stories in one process).
void resetNarrationSettings();

}  // namespace app
