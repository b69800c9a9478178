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

// And their last words; first and last together make 100 names.
inline constexpr const char *kNameLastWords[] = {"Industries Inc.",
                                                 "Holdings Corp.",
                                                 "Technologies Ltd.",
                                                 "Energy Co.",
                                                 "Financial Group",
                                                 "Pharmaceuticals plc",
                                                 "Motors Corp.",
                                                 "Retail Inc.",
                                                 "Utilities Co.",
                                                 "Aerospace Ltd."};
