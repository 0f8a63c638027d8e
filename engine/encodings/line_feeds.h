// Counting the line feeds of a text, the measure of its lines before it is read.
#pragma once

// The LF bytes in [p, e).
long long CountLineFeeds(const char* p, const char* e);
