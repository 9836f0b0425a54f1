#pragma once
// The CAMPUS driver's own rounding of sample intervals: it keeps two
// significant digits from 1 us upwards, one below, and never goes under the
// converter's 100 ns.

// The interval the driver uses for a wanted one (seconds): 1.234 us -> 1.2 us,
// 1.25 us -> 1.3 us, 12.34 ms -> 12 ms, 350 ns -> 300 ns, 60 ns -> 100 ns.
double arrondiTeCampus(double te);

// The next interval up on the same scale (250 us -> 260 us, 1 ms -> 1.1 ms).
double teSuperieurSuivantCampus(double te);
