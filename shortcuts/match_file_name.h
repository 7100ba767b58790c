// Whether a file name matches a filter with * and ? (1 or 0).
#pragma once

int MatchFileName(const char* filter, const char* name);
