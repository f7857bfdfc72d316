// Placeholder for the movie writer: nothing can be opened yet.
#include "engine/animation/movie_file.h"

// TODO(movie files): the movie writer replaces these.
int32_t avi_open(const char*, int32_t, int32_t, int32_t, int32_t) { return -1001; }
void avi_close() {}
