// How much memory the program holds in RAM now, as the system counts it.
#pragma once

// The resident set size in bytes, or -1 where the system does not tell.
long long resident_bytes();
