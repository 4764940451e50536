/* Opens the host's record packing; sdk/aegp_pack_end.h closes it. No include guard: each header
   that declares records includes the pair around them. The 32-bit Windows host packs its records
   to 4 bytes (a double inside a record is aligned to 4); the 64-bit host and every other target
   use natural alignment. */
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 4)
#endif
