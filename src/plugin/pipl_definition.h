/* The module's PiPL, from which the host learns that the module is a General Plug-in and which
   entry point to call. Both builds expand this one list: the resource script into the PIPL
   resource, the ELF module into its PiPL section. Integers little-endian; each property is vendor,
   key (four-character codes as little-endian values, so 'kind' is the characters "dnik"), id 0,
   data length (a multiple of 4) and the data padded with zeros. */
// clang-format off
PIPL_WORD(1)
PIPL_LONG(0)
PIPL_LONG(5)
PIPL_TEXT("MIB8") PIPL_TEXT("dnik") PIPL_LONG(0) PIPL_LONG(4)  PIPL_TEXT("xgEA")
PIPL_TEXT("MIB8") PIPL_TEXT("eman") PIPL_LONG(0) PIPL_LONG(8)  PIPL_TEXT("\006Skelda\0")
PIPL_TEXT("MIB8") PIPL_TEXT("gtac") PIPL_LONG(0) PIPL_LONG(16) PIPL_TEXT("\016General Plugin\0")
PIPL_TEXT("MIB8") PIPL_TEXT("srev") PIPL_LONG(0) PIPL_LONG(4)  PIPL_LONG(0x00030000)
/* The code property names the entry point for the host's own architecture only: 64-bit hosts
   read '8664', 32-bit hosts 'wx86'. The resource compiler and the compilers agree on _WIN64; the
   64-bit Linux module carries the 64-bit property. */
#if defined(_WIN64) || (!defined(_WIN32) && defined(__LP64__))
PIPL_TEXT("MIB8") PIPL_TEXT("4668") PIPL_LONG(0) PIPL_LONG(16) PIPL_TEXT("GPMain_Skelda\0\0\0")
#else
PIPL_TEXT("MIB8") PIPL_TEXT("68xw") PIPL_LONG(0) PIPL_LONG(16) PIPL_TEXT("GPMain_Skelda\0\0\0")
#endif
    // clang-format on
