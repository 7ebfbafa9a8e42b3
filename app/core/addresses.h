#pragma once
// Addresses on the content server (HTTP, port 88); the host is a build setting.
#include <string>

// The movie of lesson `lesson`: .../edu/3/0N.swf for 1..9, .../edu/3/NN.swf from 10 on.
std::string LessonMovieAddress(int lesson);

// The banner page shown along the bottom of the main window.
std::string BannerAddress();
