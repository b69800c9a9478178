#pragma once

// First words of the made-up company names the benchmarks fill their tables with.
inline constexpr const char *kNameFirstWords[] = {"Northwind",
                                                  "Bluefin",
                                                  "Cedar",
                                                  "Harbor",
                                                  "Granite",
                                                  "Summit",
                                                  "Lakeshore",
                                                  "Ironwood",
                                                  "Meridian",
                                                  "Copperline"};
