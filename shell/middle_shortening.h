// Shortens a text that is too wide for its box by replacing its middle
// with five dots.
#pragma once

// `width` is the measured width of `text`, `limit` the width it should fit;
// nothing changes unless width is greater than limit. The text keeps
// trunc(length * limit / width) characters, but never fewer than the five
// dots: a text that should keep fewer becomes "....." alone, and a text of
// five characters or fewer stays as it is. Writes only inside the text.
void ShortenInMiddle(char* text, int limit, int width);
