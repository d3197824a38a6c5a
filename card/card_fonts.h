#pragma once

// The font families the card asks cairo for, by the names the platform's font system knows.
const char* CardSansFamily();
const char* CardMonoFamily();
