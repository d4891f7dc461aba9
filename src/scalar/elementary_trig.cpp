// sin, cos and tan in three tiers. (1) Below 2^19: a three-part Cody-Waite reduction (below 5pi/4
// without a quotient: x itself, x - pi/2 or x - pi), then with a = i/256 from a table of sin a, cos
// a to 107 bits and |t| <= 2^-9, sin(a + t) = S cos t + C sin t (cos alike), the product C t exact
// through the table's 26-bit heads: relative error below 2^-68.5, tested against 1.75 * 2^-69; tan
// from its own Taylor coefficients at i/256 (below 2^-67.3, tested against 1.125 * 2^-67), inverted
// in odd quadrants. (2) Beyond, or when that test fails: exact reduction (Payne-Hanek from 2^20) to
// a double-double good to 2^-100 and the same expansion with every leading product exact: below
// 2^-71 for sin and cos, 2^-69.5 for tan, tested against 2^-70 and 1.5 * 2^-69. (3) Otherwise
// 288-bit fixed point: exact reduction, Taylor series and, for tan, a quotient corrected from its
// exact remainder.
#include "scalar/elementary.h"
#include "scalar/elementary_internal.h"

namespace {

// sin(i/256).hi, .lo, cos(i/256).hi, .lo for i = 0..203 (MPFR, rounded to nearest in two steps),
// then the high parts rounded to 26 bits.
constexpr double Talp_SinCosTable[204][6] = {
    {0x0p+0, 0x0p+0, 0x1p+0, 0x0p+0, 0x0.0p+0, 0x1.0000000000000p+0},
    {0x1.ffffaaaaaeeefp-9, -0x1.2b12b0ce9b237p-65, 0x1.ffff000015555p-1, 0x1.27d27df7df7bbp-55,
     0x1.ffffaa8000000p-9, 0x1.ffff000000000p-1},
    {0x1.fffeaaaaeeeefp-8, -0x1.e45e2ec67b77cp-62, 0x1.fffc000155552p-1, 0x1.f4a01a0196daep-55,
     0x1.fffeaa8000000p-8, 0x1.fffc000000000p-1},
    {0x1.7ffdc0010333p-7, -0x1.15efa2be503dbp-61, 0x1.fff70006bffep-1, -0x1.9984c57e6cfb8p-55,
     0x1.7ffdc00000000p-7, 0x1.fff7000000000p-1},
    {0x1.fffaaaaeeeed5p-7, -0x1.2ab639a9f0776p-63, 0x1.fff000155549fp-1, 0x1.28a28a03a5ef3p-55,
     0x1.fffaaa8000000p-7, 0x1.fff0000000000p-1},
    {0x1.3ffacab12d517p-6, 0x1.519b3218acccfp-60, 0x1.ffe700341529fp-1, -0x1.b3bc25e3e4cb3p-57,
     0x1.3ffaca8000000p-6, 0x1.ffe7000000000p-1},
    {0x1.7ff7001033255p-6, 0x1.efe2b51527336p-64, 0x1.ffdc006bff7e6p-1, 0x1.ae6dae86977bdp-55,
     0x1.7ff7000000000p-6, 0x1.ffdc008000000p-1},
    {0x1.bff1b57858e83p-6, 0x1.df20c232a4f03p-60, 0x1.ffcf00c8140e9p-1, -0x1.c3e3e857e2d3p-55,
     0x1.bff1b58000000p-6, 0x1.ffcf010000000p-1},
    {0x1.ffeaaaeeee86fp-6, -0x1.cd406fb224ae2p-60, 0x1.ffc00155527d3p-1, -0x1.3b54492d89b5bp-55,
     0x1.ffeaab0000000p-6, 0x1.ffc0018000000p-1},
    {0x1.1ff0d03d81efcp-5, 0x1.b74e4aa1f4c7fp-59, 0x1.ffaf0222ba3bdp-1, -0x1.426013ff0feb7p-57,
     0x1.1ff0d00000000p-5, 0x1.ffaf020000000p-1},
    {0x1.3feb2b12d45d5p-5, 0x1.4ec54203d1c11p-60, 0x1.ff9c03414a7bap-1, 0x1.991f4be6c59bfp-57,
     0x1.3feb2b0000000p-5, 0x1.ff9c038000000p-1},
    {0x1.5fe445fd1660fp-5, 0x1.d7a6e37a23793p-59, 0x1.ff8704c4021c8p-1, -0x1.d80c59264b631p-57,
     0x1.5fe4460000000p-5, 0x1.ff87050000000p-1},
    {0x1.7fdc01032fba9p-5, -0x1.599bdf46e997ap-59, 0x1.ff7006bfdf99fp-1, -0x1.8b3b560648d5fp-56,
     0x1.7fdc010000000p-5, 0x1.ff70068000000p-1},
    {0x1.9fd23c2d680dfp-5, -0x1.70b1a2ba5f59p-60, 0x1.ff57094be0f62p-1, 0x1.780a6d6b9aac9p-55,
     0x1.9fd23c0000000p-5, 0x1.ff57098000000p-1},
    {0x1.bfc6d78586dacp-5, 0x1.8e4fd03dbf236p-62, 0x1.ff3c0c8103a31p-1, 0x1.4856dbddc0e66p-56,
     0x1.bfc6d78000000p-5, 0x1.ff3c0c8000000p-1},
    {0x1.dfb9b316f372ap-5, -0x1.b3adb2cd8fe77p-61, 0x1.ff1f107a44695p-1, 0x1.2552d1d5613d6p-58,
     0x1.dfb9b30000000p-5, 0x1.ff1f108000000p-1},
    {0x1.ffaaaeeed4edbp-5, -0x1.2d16d32684b69p-59, 0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55,
     0x1.ffaaaf0000000p-5, 0x1.ff00158000000p-1},
    {0x1.0fccd58e190ecp-4, -0x1.ef54e5b79b73cp-58, 0x1.fedf1b2f0f71dp-1, -0x1.358030423989ep-58,
     0x1.0fccd58000000p-4, 0x1.fedf1b0000000p-1},
    {0x1.1fc343d808befp-4, -0x1.f3d32e6f3be4fp-58, 0x1.febc222a8ef9fp-1, 0x1.7934934f54c77p-58,
     0x1.1fc3440000000p-4, 0x1.febc220000000p-1},
    {0x1.2fb8925ecc92p-4, -0x1.1aceeb6944bb7p-60, 0x1.fe972a6a16e73p-1, -0x1.9b4127ab3d548p-58,
     0x1.2fb8928000000p-4, 0x1.fe972a8000000p-1},
    {0x1.3facb12d1755bp-4, -0x1.921915299468bp-58, 0x1.fe7034129ef6fp-1, -0x1.cbf4337c96f97p-57,
     0x1.3facb10000000p-4, 0x1.fe70340000000p-1},
    {0x1.4f9f904ecb8ffp-4, 0x1.6fdd8bf8cda76p-58, 0x1.fe473f4b1d7d6p-1, 0x1.a001dd2227ed4p-55,
     0x1.4f9f908000000p-4, 0x1.fe473f8000000p-1},
    {0x1.5f911fd10b737p-4, -0x1.0184f02be9102p-58, 0x1.fe1c4c3c873ebp-1, -0x1.5a9c9057c4a02p-60,
     0x1.5f91200000000p-4, 0x1.fe1c4c0000000p-1},
    {0x1.6f814fc248d1fp-4, -0x1.1e7a14e279b6ap-59, 0x1.fdef5b11cf45dp-1, -0x1.e833a0863483p-56,
     0x1.6f81500000000p-4, 0x1.fdef5b0000000p-1},
    {0x1.7f701032550e4p-4, 0x1.afc2d1800501ap-60, 0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55,
     0x1.7f70100000000p-4, 0x1.fdc06c0000000p-1},
    {0x1.8f5d5132710c4p-4, 0x1.ae29046de7c88p-61, 0x1.fd8f7f1dbcb07p-1, -0x1.c752ecfaa985bp-55,
     0x1.8f5d510000000p-4, 0x1.fd8f7f0000000p-1},
    {0x1.9f4902d55d1f9p-4, 0x1.2696d7eac1dc1p-58, 0x1.fd5c94b43ep-1, -0x1.2e768cb4f92f9p-57,
     0x1.9f49030000000p-4, 0x1.fd5c948000000p-1},
    {0x1.af33152f68f8fp-4, 0x1.3f7698bdd23f1p-58, 0x1.fd27acee550dbp-1, 0x1.c3f64be936b41p-55,
     0x1.af33150000000p-4, 0x1.fd27ad0000000p-1},
    {0x1.bf1b78568391dp-4, 0x1.e91841dea4cc8p-58, 0x1.fcf0c800e99b1p-1, 0x1.ea3d786d186acp-57,
     0x1.bf1b788000000p-4, 0x1.fcf0c80000000p-1},
    {0x1.cf021c624b168p-4, -0x1.f6aedf73fb13fp-62, 0x1.fcb7e622e090ep-1, 0x1.efee620ded043p-55,
     0x1.cf021c8000000p-4, 0x1.fcb7e60000000p-1},
    {0x1.dee6f16c1cce6p-4, -0x1.50f8e2fb71673p-59, 0x1.fc7d078d1bc88p-1, 0x1.075d2447db685p-55,
     0x1.dee6f18000000p-4, 0x1.fc7d078000000p-1},
    {0x1.eec9e78f2502bp-4, 0x1.3535175887f66p-60, 0x1.fc402c7a79d2cp-1, 0x1.f515d61e3b7d1p-56,
     0x1.eec9e78000000p-4, 0x1.fc402c8000000p-1},
    {0x1.feaaeee86ee36p-4, -0x1.afcb2bcc6f03bp-59, 0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55,
     0x1.feaaef0000000p-4, 0x1.fc01550000000p-1},
    {0x1.0744fbcb7a34fp-3, -0x1.35f080b446e47p-57, 0x1.fbc081d406d54p-1, 0x1.19ca5c619c114p-55,
     0x1.0744fc0000000p-3, 0x1.fbc0820000000p-1},
    {0x1.0f3378ddd71d1p-3, 0x1.d8468724f0f9ep-57, 0x1.fb7db2bfe0695p-1, 0x1.21dadf4f65ab1p-55,
     0x1.0f33790000000p-3, 0x1.fb7db28000000p-1},
    {0x1.1720e6bcd1c11p-3, -0x1.370a768c28cc9p-57, 0x1.fb38e82e3188p-1, -0x1.cd45c28dde5cfp-56,
     0x1.1720e68000000p-3, 0x1.fb38e80000000p-1},
    {0x1.1f0d3d7afceafp-3, -0x1.6ef95099769a5p-57, 0x1.faf22263c4bd3p-1, -0x1.52ace133a2769p-58,
     0x1.1f0d3d8000000p-3, 0x1.faf2228000000p-1},
    {0x1.26f8752c02859p-3, 0x1.99d3f99560e16p-60, 0x1.faa961a75fcd7p-1, 0x1.154aedc530b9p-55,
     0x1.26f8750000000p-3, 0x1.faa9618000000p-1},
    {0x1.2ee285e4ab88fp-3, -0x1.e4d0f05dee058p-57, 0x1.fa5ea641c36f2p-1, 0x1.04da6ed17cc7cp-59,
     0x1.2ee2860000000p-3, 0x1.fa5ea68000000p-1},
    {0x1.36cb67bae7e52p-3, -0x1.2b58c9385fe0dp-59, 0x1.fa11f07dab019p-1, 0x1.4c36f0cfac1a2p-55,
     0x1.36cb678000000p-3, 0x1.fa11f08000000p-1},
    {0x1.3eb312c5d66cbp-3, 0x1.47d666b66cb91p-57, 0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55,
     0x1.3eb3130000000p-3, 0x1.f9c3408000000p-1},
    {0x1.46997f1dccbd6p-3, 0x1.5772779edaa4cp-61, 0x1.f972970ed7014p-1, 0x1.82d46ff943b09p-55,
     0x1.46997f0000000p-3, 0x1.f972970000000p-1},
    {0x1.4e7ea4dc5f27bp-3, 0x1.949db2ac072fcp-58, 0x1.f91ff40374d01p-1, -0x1.7d03f4d3a9e4cp-57,
     0x1.4e7ea50000000p-3, 0x1.f91ff40000000p-1},
    {0x1.56627c1c68959p-3, -0x1.c1a626f9f35f9p-57, 0x1.f8cb57d848b36p-1, -0x1.e28ca6524cc98p-60,
     0x1.56627c0000000p-3, 0x1.f8cb580000000p-1},
    {0x1.5e44fcfa126f3p-3, -0x1.6f443063f89b6p-57, 0x1.f874c2e1eecf6p-1, -0x1.c6514e1332b16p-55,
     0x1.5e44fd0000000p-3, 0x1.f874c30000000p-1},
    {0x1.66261f92dc7f2p-3, 0x1.4732388b03388p-58, 0x1.f81c3576fc132p-1, -0x1.a210f729d0428p-56,
     0x1.66261f8000000p-3, 0x1.f81c358000000p-1},
    {0x1.6e05dc05a4d4cp-3, -0x1.32c5c8b81c919p-66, 0x1.f7c1afeffde24p-1, -0x1.8f55bc47540b1p-56,
     0x1.6e05dc0000000p-3, 0x1.f7c1b00000000p-1},
    {0x1.75e42a72afa53p-3, 0x1.25101dbbe3de1p-57, 0x1.f76532a779bc3p-1, -0x1.cc2b661f73e17p-56,
     0x1.75e42a8000000p-3, 0x1.f765328000000p-1},
    {0x1.7dc102fbaf2b5p-3, 0x1.5ab50e23c97c3p-59, 0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55,
     0x1.7dc1030000000p-3, 0x1.f706be0000000p-1},
    {0x1.859c5dc3cb85dp-3, 0x1.bdacb1bb1532ap-58, 0x1.f6a65245cbf89p-1, 0x1.21006d1ee0324p-55,
     0x1.859c5e0000000p-3, 0x1.f6a6528000000p-1},
    {0x1.8d7632efaa944p-3, -0x1.20fa262cbb953p-57, 0x1.f643efeb82acdp-1, 0x1.6b00ac1fe28acp-56,
     0x1.8d76330000000p-3, 0x1.f643f00000000p-1},
    {0x1.954e7aa577d22p-3, 0x1.add11e2b03481p-57, 0x1.f5df974d73509p-1, -0x1.1041b91c41e29p-55,
     0x1.954e7a8000000p-3, 0x1.f5df978000000p-1},
    {0x1.9d252d0cec312p-3, 0x1.9c43d80b1137dp-58, 0x1.f57948cff6797p-1, 0x1.e3a0d3e03b1d4p-57,
     0x1.9d252d0000000p-3, 0x1.f579490000000p-1},
    {0x1.a4fa424f55f0fp-3, 0x1.88fc2611aa255p-57, 0x1.f51104d95a9c8p-1, -0x1.1bc67d424373p-55,
     0x1.a4fa428000000p-3, 0x1.f511050000000p-1},
    {0x1.accdb297a0765p-3, -0x1.9883b57d6cdeap-58, 0x1.f4a6cbd1e3a79p-1, 0x1.13df0edaebb57p-55,
     0x1.accdb28000000p-3, 0x1.f4a6cc0000000p-1},
    {0x1.b49f76125c1fdp-3, 0x1.697d0c986b191p-60, 0x1.f43a9e23ca996p-1, -0x1.c057991f742e7p-55,
     0x1.b49f760000000p-3, 0x1.f43a9e0000000p-1},
    {0x1.bc6f84edc6199p-3, 0x1.9c1a56a7b0cabp-57, 0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57,
     0x1.bc6f850000000p-3, 0x1.f3cc7c0000000p-1},
    {0x1.c43dd759d02eep-3, -0x1.5bcc2e3046626p-63, 0x1.f35c66865cff8p-1, 0x1.7cda41f3feef8p-55,
     0x1.c43dd78000000p-3, 0x1.f35c668000000p-1},
    {0x1.cc0a6588289a3p-3, -0x1.868d09bc87c6bp-57, 0x1.f2ea5d753ffedp-1, 0x1.cc4215f56d583p-55,
     0x1.cc0a658000000p-3, 0x1.f2ea5d8000000p-1},
    {0x1.d3d527ac41d38p-3, -0x1.6fa59a447a134p-58, 0x1.f2766179ef1c7p-1, -0x1.2932f8987bcb6p-57,
     0x1.d3d5278000000p-3, 0x1.f276618000000p-1},
    {0x1.db9e15fb5a5dp-3, -0x1.32e20d6cc6fc2p-57, 0x1.f20073086649fp-1, 0x1.b940416c1984bp-56,
     0x1.db9e160000000p-3, 0x1.f200730000000p-1},
    {0x1.e36528ac848dap-3, -0x1.240b73f3963fep-60, 0x1.f188929693ef2p-1, -0x1.81f656ea94ccfp-55,
     0x1.e365288000000p-3, 0x1.f188928000000p-1},
    {0x1.eb2a57f8ae5a3p-3, -0x1.0be06af572cebp-57, 0x1.f10ec09c5873bp-1, 0x1.d9072762c1283p-55,
     0x1.eb2a580000000p-3, 0x1.f10ec08000000p-1},
    {0x1.f2ed9c1aa91c4p-3, -0x1.6142de810c2b7p-57, 0x1.f092fd9385c7ep-1, 0x1.750563a9bed86p-59,
     0x1.f2ed9c0000000p-3, 0x1.f092fd8000000p-1},
    {0x1.faaeed4f31577p-3, -0x1.15d88508e32b8p-57, 0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55,
     0x1.faaeed8000000p-3, 0x1.f0154a0000000p-1},
    {0x1.013721ea7b3e5p-2, 0x1.10fa1d5106315p-56, 0x1.ef95a647176b9p-1, -0x1.a2aefc066f251p-55,
     0x1.0137220000000p-2, 0x1.ef95a68000000p-1},
    {0x1.0515cbf65155cp-2, -0x1.9b8c29dfd8ec7p-56, 0x1.ef141300d2f26p-1, -0x1.2aa1b08ded372p-55,
     0x1.0515cc0000000p-2, 0x1.ef14130000000p-1},
    {0x1.08f370ec7138ap-2, -0x1.183d7d425e7ecp-57, 0x1.ee9090a6a4bap-1, 0x1.48d59a9171632p-55,
     0x1.08f3710000000p-2, 0x1.ee90908000000p-1},
    {0x1.0cd00cef36436p-2, -0x1.9fb0a0c93e2b4p-56, 0x1.ee0b1fbc0f11cp-1, -0x1.bfd2380bbc3b1p-59,
     0x1.0cd00d0000000p-2, 0x1.ee0b1f8000000p-1},
    {0x1.10ab9c2204c59p-2, -0x1.843c6295a07bfp-56, 0x1.ed83c0c682d9p-1, 0x1.8605a9115beaep-57,
     0x1.10ab9c0000000p-2, 0x1.ed83c10000000p-1},
    {0x1.14861aa94ddebp-2, -0x1.be881b5b615a4p-57, 0x1.ecfa744d5efa1p-1, -0x1.56d0a4af541dp-58,
     0x1.14861a8000000p-2, 0x1.ecfa748000000p-1},
    {0x1.185f84aa9359bp-2, -0x1.5486ede74dbb2p-57, 0x1.ec6f3ad9efe2ap-1, -0x1.0bc0bfbb6aeaap-55,
     0x1.185f848000000p-2, 0x1.ec6f3b0000000p-1},
    {0x1.1c37d64c6b876p-2, 0x1.46076fe0dcff4p-56, 0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55,
     0x1.1c37d68000000p-2, 0x1.ebe2150000000p-1},
    {0x1.200f0bb68518p-2, 0x1.31bdc968ef588p-57, 0x1.eb53033302187p-1, -0x1.40e3e817e1641p-56,
     0x1.200f0b8000000p-2, 0x1.eb53030000000p-1},
    {0x1.23e52111aaf36p-2, -0x1.4f080334eff18p-56, 0x1.eac2061bbaf4fp-1, 0x1.2c1d53e94658dp-57,
     0x1.23e5210000000p-2, 0x1.eac2060000000p-1},
    {0x1.27ba1287c8102p-2, -0x1.0fb418a5581bp-59, 0x1.ea2f1e42969b4p-1, -0x1.bd66b6627d017p-55,
     0x1.27ba128000000p-2, 0x1.ea2f1e8000000p-1},
    {0x1.2b8ddc43eb49fp-2, 0x1.1553899f2d807p-57, 0x1.e99a4c3a7cd83p-1, -0x1.2264b1bc53ce8p-55,
     0x1.2b8ddc8000000p-2, 0x1.e99a4c0000000p-1},
    {0x1.2f607a724b365p-2, 0x1.70f6b47bd3fc4p-56, 0x1.e90390983fa78p-1, -0x1.28954c7f8dd8fp-55,
     0x1.2f607a8000000p-2, 0x1.e903908000000p-1},
    {0x1.3331e94049f87p-2, 0x1.e0cb6b40c302cp-56, 0x1.e86aebf29a9edp-1, 0x1.9397afdbb58a7p-55,
     0x1.3331e98000000p-2, 0x1.e86aec0000000p-1},
    {0x1.370224dc7913dp-2, -0x1.badca2c0c47dp-57, 0x1.e7d05ee232573p-1, -0x1.c4621b65d22fbp-55,
     0x1.3702250000000p-2, 0x1.e7d05f0000000p-1},
    {0x1.3ad129769d3d8p-2, 0x1.03d550487839ap-63, 0x1.e733ea0193d4p-1, -0x1.6428b3546ce13p-55,
     0x1.3ad1298000000p-2, 0x1.e733ea0000000p-1},
    {0x1.3e9ef33fb22cbp-2, -0x1.cd85ab33f11b4p-58, 0x1.e6958ded33e8ep-1, -0x1.a2d4a62b00c99p-59,
     0x1.3e9ef30000000p-2, 0x1.e6958e0000000p-1},
    {0x1.426b7e69ee697p-2, -0x1.f09c75705c59fp-56, 0x1.e5f54b436e9dp-1, 0x1.7eb0fd02fc8bcp-55,
     0x1.426b7e8000000p-2, 0x1.e5f54b8000000p-1},
    {0x1.4636c728c71a8p-2, -0x1.3e9c8df9261a7p-57, 0x1.e55322a4868cep-1, -0x1.ff59bf4b08084p-55,
     0x1.4636c70000000p-2, 0x1.e553228000000p-1},
    {0x1.4a00c9b0f3d2p-2, 0x1.823ba6bb08eadp-56, 0x1.e4af14b2a449cp-1, -0x1.68ca02e8a6833p-55,
     0x1.4a00c98000000p-2, 0x1.e4af148000000p-1},
    {0x1.4dc982387258bp-2, -0x1.57b6fc37e14d8p-56, 0x1.e4092211d5b7ep-1, 0x1.bc7573acc79e9p-56,
     0x1.4dc9820000000p-2, 0x1.e409220000000p-1},
    {0x1.5190ecf68a77ap-2, 0x1.b357155eef0f3p-56, 0x1.e3614b680d6a5p-1, -0x1.27793aa015237p-56,
     0x1.5190ed0000000p-2, 0x1.e3614b8000000p-1},
    {0x1.55570623d1c18p-2, 0x1.4cdaa70975dbep-59, 0x1.e2b7915d21fccp-1, 0x1.3149be81a8fd3p-55,
     0x1.5557060000000p-2, 0x1.e2b7918000000p-1},
    {0x1.591bc9fa2f597p-2, 0x1.7c74bac3fe0cbp-57, 0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58,
     0x1.591bca0000000p-2, 0x1.e20bf48000000p-1},
    {0x1.5cdf34b4dfb98p-2, 0x1.7458b493a1d2p-56, 0x1.e15e75ccac6c3p-1, 0x1.3261811c2a8d6p-55,
     0x1.5cdf348000000p-2, 0x1.e15e760000000p-1},
    {0x1.60a1429078775p-2, 0x1.b1fd80ba89133p-58, 0x1.e0af15a03dbcep-1, 0x1.fe8e702771ae6p-58,
     0x1.60a1428000000p-2, 0x1.e0af158000000p-1},
    {0x1.6461efcaec077p-2, -0x1.94dc7178bd734p-56, 0x1.dffdd4c4e17bep-1, 0x1.51415af290396p-55,
     0x1.6461f00000000p-2, 0x1.dffdd50000000p-1},
    {0x1.682138a38d7f7p-2, -0x1.d889202444aadp-56, 0x1.df4ab3ebd875ep-1, -0x1.e2d8a7e6736c4p-55,
     0x1.6821388000000p-2, 0x1.df4ab40000000p-1},
    {0x1.6bdf195b1456ap-2, -0x1.1c05d4d4179b8p-57, 0x1.de95b3c84374dp-1, 0x1.8b4bf71c7de42p-55,
     0x1.6bdf198000000p-2, 0x1.de95b40000000p-1},
    {0x1.6f9b8e33a0255p-2, 0x1.42bc14ee9da0dp-56, 0x1.ddded50f228d6p-1, -0x1.e80c8d42ba2bfp-57,
     0x1.6f9b8e0000000p-2, 0x1.ddded50000000p-1},
    {0x1.73569370bc62bp-2, 0x1.bf3442bdd527ep-56, 0x1.dd26187754695p-1, 0x1.f16517d83bbcap-56,
     0x1.7356938000000p-2, 0x1.dd26188000000p-1},
    {0x1.7710255764214p-2, -0x1.6ead7314bb6cep-57, 0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58,
     0x1.7710258000000p-2, 0x1.dc6b7e8000000p-1},
    {0x1.7ac8402e05c9bp-2, 0x1.a39e39ea9f25cp-56, 0x1.dbaf08907fb2fp-1, 0x1.9a5395924f2ffp-55,
     0x1.7ac8400000000p-2, 0x1.dbaf088000000p-1},
    {0x1.7e7ee03c86d4ep-2, -0x1.b63bcdabf5af2p-56, 0x1.daf0b6b888e83p-1, 0x1.a249e2b5e5ceap-55,
     0x1.7e7ee00000000p-2, 0x1.daf0b68000000p-1},
    {0x1.823401cc47836p-2, -0x1.08091b8d964c7p-56, 0x1.da3089f002f9p-1, -0x1.15b9a62d60141p-55,
     0x1.8234020000000p-2, 0x1.da308a0000000p-1},
    {0x1.85e7a12826949p-2, 0x1.8a40e9b5facep-56, 0x1.d96e82f71a9dcp-1, 0x1.ff61bd5d2039dp-55,
     0x1.85e7a10000000p-2, 0x1.d96e830000000p-1},
    {0x1.8999ba9c84fbap-2, 0x1.c1fef1753c7bfp-59, 0x1.d8aaa28fd6bf6p-1, -0x1.d74eb5f28a765p-55,
     0x1.8999ba8000000p-2, 0x1.d8aaa28000000p-1},
    {0x1.8d4a4a774992fp-2, 0x1.44a02ea766326p-56, 0x1.d7e4e97e17b4ap-1, -0x1.3b770352bed94p-57,
     0x1.8d4a4a8000000p-2, 0x1.d7e4e98000000p-1},
    {0x1.90f94d07e4ce8p-2, 0x1.32c8fb2f2ea25p-56, 0x1.d71d5887967eep-1, -0x1.516e003d9dd64p-58,
     0x1.90f94d0000000p-2, 0x1.d71d588000000p-1},
    {0x1.94a6be9f546c5p-2, -0x1.69ce13e683f58p-56, 0x1.d653f073e404p-1, -0x1.76236434bec37p-55,
     0x1.94a6be8000000p-2, 0x1.d653f08000000p-1},
    {0x1.98529b9027235p-2, -0x1.70c0c231d4808p-56, 0x1.d588b20c6846ep-1, -0x1.bef54b0f32a77p-55,
     0x1.98529b8000000p-2, 0x1.d588b20000000p-1},
    {0x1.9bfce02e8051p-2, 0x1.09e39a320b0a4p-56, 0x1.d4bb9e1c619ep-1, 0x1.f34bb77858f61p-55,
     0x1.9bfce00000000p-2, 0x1.d4bb9e0000000p-1},
    {0x1.9fa588d01ba55p-2, -0x1.6aa35ae5de16ap-59, 0x1.d3ecb570e3e87p-1, 0x1.8b4d9843b2bf5p-55,
     0x1.9fa5890000000p-2, 0x1.d3ecb58000000p-1},
    {0x1.a34c91cc50ccap-2, -0x1.a310e3b50cecdp-58, 0x1.d31bf8d8d7c06p-1, 0x1.e60dd3089cbddp-56,
     0x1.a34c920000000p-2, 0x1.d31bf90000000p-1},
    {0x1.a6f1f77c1718ap-2, 0x1.e7b0a3486494fp-56, 0x1.d2496924f9ac7p-1, 0x1.f17673d6927ffp-55,
     0x1.a6f1f78000000p-2, 0x1.d249690000000p-1},
    {0x1.aa95b63a09277p-2, -0x1.6293eb13c0381p-57, 0x1.d1750727d94fp-1, 0x1.0d52b1ec1a48ep-55,
     0x1.aa95b60000000p-2, 0x1.d175070000000p-1},
    {0x1.ae37ca626888ap-2, 0x1.2d294cf918262p-57, 0x1.d09ed3b5d8937p-1, 0x1.a8d847bc2c5bbp-55,
     0x1.ae37ca8000000p-2, 0x1.d09ed38000000p-1},
    {0x1.b1d8305321617p-2, -0x1.ae242cb99f519p-56, 0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55,
     0x1.b1d8308000000p-2, 0x1.cfc6cf8000000p-1},
    {0x1.b576e46bce0e6p-2, 0x1.beb8a2f9cde89p-56, 0x1.ceecfbcdd4213p-1, 0x1.b682a76d7e904p-60,
     0x1.b576e48000000p-2, 0x1.ceecfc0000000p-1},
    {0x1.b913e30dbac43p-2, -0x1.e38ad2f6c3ff1p-56, 0x1.ce115909a82e5p-1, 0x1.1f139bb31109ap-55,
     0x1.b913e30000000p-2, 0x1.ce11590000000p-1},
    {0x1.bcaf289be92ddp-2, 0x1.8b06e5fb8daacp-56, 0x1.cd33e83449b34p-1, 0x1.61068cd16da9fp-57,
     0x1.bcaf288000000p-2, 0x1.cd33e80000000p-1},
    {0x1.c048b17b140a3p-2, 0x1.19fe6757e9fa7p-57, 0x1.cc54aa2b2972ep-1, 0x1.4ee162ba83a98p-57,
     0x1.c048b18000000p-2, 0x1.cc54aa0000000p-1},
    {0x1.c3e07a11b2c6ep-2, -0x1.76c26153de447p-57, 0x1.cb739fcd8563cp-1, -0x1.7e793b55ea6a2p-55,
     0x1.c3e07a0000000p-2, 0x1.cb73a00000000p-1},
    {0x1.c7767ec7fd19ep-2, -0x1.eb14d1a3d5826p-58, 0x1.ca90c9fc67d0bp-1, -0x1.46a81485e3462p-57,
     0x1.c7767f0000000p-2, 0x1.ca90ca0000000p-1},
    {0x1.cb0abc07ee997p-2, -0x1.2d6ebfce7c05p-56, 0x1.c9ac299aa677fp-1, 0x1.7560844703578p-55,
     0x1.cb0abc0000000p-2, 0x1.c9ac298000000p-1},
    {0x1.ce9d2e3d4a51fp-2, -0x1.2fc8a12dae298p-57, 0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56,
     0x1.ce9d2e0000000p-2, 0x1.c8c5bf8000000p-1},
    {0x1.d22dd1d59e5a4p-2, -0x1.3a439e78d544p-57, 0x1.c7dd8cb9835c3p-1, -0x1.dd23c3aa785f7p-55,
     0x1.d22dd20000000p-2, 0x1.c7dd8c8000000p-1},
    {0x1.d5bca34047661p-2, 0x1.28a44a75fc29cp-56, 0x1.c6f39208be53bp-1, -0x1.741dbfbaadb42p-55,
     0x1.d5bca38000000p-2, 0x1.c6f3920000000p-1},
    {0x1.d9499eee7456bp-2, 0x1.40792a7dee83dp-59, 0x1.c607d0648d2c1p-1, -0x1.2169fa0e8ce47p-56,
     0x1.d9499f0000000p-2, 0x1.c607d08000000p-1},
    {0x1.dcd4c15329c9ap-2, 0x1.0d4c6e171fd9ap-56, 0x1.c51a48b8b175ep-1, -0x1.1bbb43b9aa88p-57,
     0x1.dcd4c18000000p-2, 0x1.c51a488000000p-1},
    {0x1.e05e06e345a5dp-2, 0x1.0f838535e3a93p-57, 0x1.c42afbf2b2c93p-1, -0x1.f2a77b07f14e6p-57,
     0x1.e05e070000000p-2, 0x1.c42afc0000000p-1},
    {0x1.e3e56c1582a69p-2, -0x1.0a4821099f88fp-58, 0x1.c339eb01ddd81p-1, -0x1.caaf5ee82c5cp-55,
     0x1.e3e56c0000000p-2, 0x1.c339eb0000000p-1},
    {0x1.e76aed627be4ep-2, 0x1.8937d7fe3f57fp-56, 0x1.c24716d7437f3p-1, -0x1.4874850e5d927p-56,
     0x1.e76aed8000000p-2, 0x1.c247170000000p-1},
    {0x1.eaee8744b05fp-2, -0x1.789b43c9b027dp-58, 0x1.c1528065b7d5p-1, -0x1.892111312e828p-55,
     0x1.eaee878000000p-2, 0x1.c152808000000p-1},
    {0x1.ee703638867dap-2, -0x1.3872f1aaf5cbdp-56, 0x1.c05c28a1d1369p-1, 0x1.f9a1ac93aee95p-55,
     0x1.ee70360000000p-2, 0x1.c05c288000000p-1},
    {0x1.f1eff6bc4f97bp-2, 0x1.17212f8a7525cp-56, 0x1.bf641081e7536p-1, 0x1.b7bd71628a9a1p-55,
     0x1.f1eff68000000p-2, 0x1.bf64108000000p-1},
    {0x1.f56dc5504b742p-2, 0x1.a18434fc65e81p-56, 0x1.be6a38fe1236ap-1, 0x1.fdab7587b02acp-56,
     0x1.f56dc58000000p-2, 0x1.be6a390000000p-1},
    {0x1.f8e99e76abc97p-2, 0x1.9d950af2d00a3p-58, 0x1.bd6ea310294f5p-1, 0x1.31bbcc88c109dp-56,
     0x1.f8e99e8000000p-2, 0x1.bd6ea30000000p-1},
    {0x1.fc637eb397bb8p-2, 0x1.d8f507b2ea243p-56, 0x1.bc714fb3c2766p-1, 0x1.eb19c8a06c31p-56,
     0x1.fc637e8000000p-2, 0x1.bc714f8000000p-1},
    {0x1.ffdb628d2f57ap-2, 0x1.f4a992e905b6ap-57, 0x1.bb723fe630f32p-1, 0x1.72bd2452d0a39p-56,
     0x1.ffdb628000000p-2, 0x1.bb72400000000p-1},
    {0x1.01a8a345c7871p-1, 0x1.a6deb08435eep-55, 0x1.ba7174a6847dep-1, -0x1.defb28953f677p-60,
     0x1.01a8a38000000p-1, 0x1.ba71748000000p-1},
    {0x1.0362939c69955p-1, -0x1.2d8cd78397b01p-55, 0x1.b96eeef58840ep-1, 0x1.45a3cc78fadep-58,
     0x1.0362938000000p-1, 0x1.b96eef0000000p-1},
    {0x1.051b80908da4ap-1, 0x1.f7686b96f8f0ep-57, 0x1.b86aafd5c1d79p-1, 0x1.a6cc07549db15p-55,
     0x1.051b808000000p-1, 0x1.b86ab00000000p-1},
    {0x1.06d3686946e5bp-1, 0x1.3f5ae4538ff1bp-55, 0x1.b764b84b704c2p-1, -0x1.f5848c21b389bp-55,
     0x1.06d3688000000p-1, 0x1.b764b88000000p-1},
    {0x1.088a496eada47p-1, 0x1.e07780127666dp-56, 0x1.b65d095c8b12ep-1, 0x1.1d33cb4db26bdp-56,
     0x1.088a498000000p-1, 0x1.b65d098000000p-1},
    {0x1.0a4021e9e1001p-1, -0x1.6f643a13914f6p-55, 0x1.b553a410c104ep-1, 0x1.8ff7947027a15p-58,
     0x1.0a40220000000p-1, 0x1.b553a40000000p-1},
    {0x1.0bf4f02508a1cp-1, 0x1.da0ced695fe43p-57, 0x1.b44889717757cp-1, 0x1.b17c0070c2815p-61,
     0x1.0bf4f00000000p-1, 0x1.b448898000000p-1},
    {0x1.0da8b26b5672ep-1, -0x1.a58def0bee909p-55, 0x1.b33bba89c8948p-1, 0x1.ea6a51d1f6ca9p-55,
     0x1.0da8b28000000p-1, 0x1.b33bba8000000p-1},
    {0x1.0f5b670908515p-1, 0x1.a7ed13e5fbb05p-56, 0x1.b22d3866838c8p-1, -0x1.6e9a5f4ff5b7dp-59,
     0x1.0f5b670000000p-1, 0x1.b22d388000000p-1},
    {0x1.110d0c4b69c3bp-1, 0x1.d918998809981p-55, 0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56,
     0x1.110d0c8000000p-1, 0x1.b11d040000000p-1},
    {0x1.12bda080d5abcp-1, 0x1.d3a97fee7e959p-55, 0x1.b00b1ea8f10dep-1, -0x1.958d71955fb3fp-55,
     0x1.12bda08000000p-1, 0x1.b00b1e8000000p-1},
    {0x1.146d21f8b7f82p-1, 0x1.bf9535e2739a8p-56, 0x1.aef78930bd275p-1, -0x1.f836279746f94p-56,
     0x1.146d220000000p-1, 0x1.aef7890000000p-1},
    {0x1.161b8f038f54ep-1, -0x1.c5ee5cde48178p-58, 0x1.ade244c123f9fp-1, 0x1.8d3fc4dfa0f9cp-55,
     0x1.161b8f0000000p-1, 0x1.ade2450000000p-1},
    {0x1.17c8e5f2eedbp-1, 0x1.35e57102e2488p-57, 0x1.accb526f69de5p-1, 0x1.8fb6a8dd6b6ccp-55,
     0x1.17c8e60000000p-1, 0x1.accb528000000p-1},
    {0x1.197525197fbefp-1, 0x1.810a2d8e3468ap-57, 0x1.abb2b352810eep-1, 0x1.db59f6f843f91p-55,
     0x1.1975250000000p-1, 0x1.abb2b38000000p-1},
    {0x1.1b204acb02fddp-1, -0x1.f190c70cbb5fep-58, 0x1.aa98688308913p-1, -0x1.b83d607cd5072p-63,
     0x1.1b204b0000000p-1, 0x1.aa98688000000p-1},
    {0x1.1cca555c5309bp-1, -0x1.fc53db3120a83p-58, 0x1.a97c731b4b1d2p-1, 0x1.1245d6144e0cdp-56,
     0x1.1cca558000000p-1, 0x1.a97c730000000p-1},
    {0x1.1e7343236574cp-1, 0x1.22a3fa4f41d5ap-56, 0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57,
     0x1.1e73430000000p-1, 0x1.a85ed40000000p-1},
    {0x1.201b12774c9b6p-1, -0x1.d31fe293d1034p-59, 0x1.a73f8cf4800e8p-1, -0x1.c372ed4bdefbfp-57,
     0x1.201b128000000p-1, 0x1.a73f8d0000000p-1},
    {0x1.21c1c1b0394cfp-1, 0x1.e5b324b23aa31p-58, 0x1.a61e9e72586afp-1, 0x1.58330e2fd453fp-55,
     0x1.21c1c18000000p-1, 0x1.a61e9e8000000p-1},
    {0x1.23674f277c73cp-1, 0x1.87167f61285ffp-56, 0x1.a4fc09d1b5825p-1, -0x1.4cce741fb33a5p-55,
     0x1.23674f0000000p-1, 0x1.a4fc0a0000000p-1},
    {0x1.250bb93788bbbp-1, 0x1.ea3d02457bccep-56, 0x1.a3d7d0352bdcfp-1, -0x1.68dbaeca19669p-55,
     0x1.250bb90000000p-1, 0x1.a3d7d00000000p-1},
    {0x1.26aefe3bf437cp-1, -0x1.657b40100c3a6p-60, 0x1.a2b1f2c0f4ffp-1, 0x1.c9fe748eedc9cp-56,
     0x1.26aefe0000000p-1, 0x1.a2b1f30000000p-1},
    {0x1.28511c917a067p-1, -0x1.01df1d9a16b7p-55, 0x1.a18a729aee445p-1, 0x1.95e25736c0357p-60,
     0x1.28511c8000000p-1, 0x1.a18a728000000p-1},
    {0x1.29f21295fbf51p-1, -0x1.6bd333b0b0cbbp-55, 0x1.a06150ea97ba3p-1, 0x1.bc4a6cdcbf214p-55,
     0x1.29f2128000000p-1, 0x1.a061510000000p-1},
    {0x1.2b91dea88421ep-1, -0x1.fa371db216abp-55, 0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55,
     0x1.2b91de8000000p-1, 0x1.9f368f0000000p-1},
    {0x1.2d307f29469cfp-1, 0x1.ba5fe5f921e0bp-56, 0x1.9e0a2d9121f73p-1, -0x1.5e7ba2bd64f0ap-56,
     0x1.2d307f0000000p-1, 0x1.9e0a2d8000000p-1},
    {0x1.2ecdf279a3082p-1, 0x1.d3557e0e7e37ep-55, 0x1.9cdc2e3f25e5cp-1, 0x1.3f99112993f62p-55,
     0x1.2ecdf28000000p-1, 0x1.9cdc2e0000000p-1},
    {0x1.306a36fc26359p-1, -0x1.21305ba6473abp-55, 0x1.9bac92111dfcep-1, 0x1.0ce9c6f353e9ap-55,
     0x1.306a370000000p-1, 0x1.9bac920000000p-1},
    {0x1.32054b148bc4fp-1, 0x1.f6b42095a135bp-55, 0x1.9a7b5a36a6514p-1, 0x1.722cfcc9fa7a9p-55,
     0x1.32054b0000000p-1, 0x1.9a7b5a0000000p-1},
    {0x1.339f2d27bfc05p-1, -0x1.ddf4717254e6fp-55, 0x1.994887e0f6a3fp-1, 0x1.0be6cea471d02p-56,
     0x1.339f2d0000000p-1, 0x1.9948880000000p-1},
    {0x1.3537db9be0367p-1, 0x1.b327e7af040fp-57, 0x1.98141c42e131p-1, 0x1.d1ff80488f08dp-55,
     0x1.3537db8000000p-1, 0x1.98141c8000000p-1},
    {0x1.36cf54d83ed56p-1, 0x1.6e1f20c8b5b7dp-57, 0x1.96de1890d17cep-1, 0x1.caa25dc8e6991p-55,
     0x1.36cf550000000p-1, 0x1.96de188000000p-1},
    {0x1.386597456282bp-1, -0x1.10fada93b07a8p-56, 0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55,
     0x1.3865978000000p-1, 0x1.95a67e0000000p-1},
    {0x1.39faa14d08f31p-1, -0x1.cd164b88ce902p-57, 0x1.946d4dca688fcp-1, 0x1.02c6f2978af1dp-55,
     0x1.39faa18000000p-1, 0x1.946d4e0000000p-1},
    {0x1.3b8e715a2840ap-1, -0x1.97653a7d2f07ap-56, 0x1.93328926d9e92p-1, -0x1.bb77003600cdap-55,
     0x1.3b8e718000000p-1, 0x1.9332890000000p-1},
    {0x1.3d2105d8f07fep-1, 0x1.1602a42d4b3d4p-57, 0x1.91f63150e3b52p-1, -0x1.80bd33fb3df2ep-57,
     0x1.3d21060000000p-1, 0x1.91f6318000000p-1},
    {0x1.3eb25d36cd53ap-1, -0x1.be570e1570fcp-58, 0x1.90b84784ddaf7p-1, -0x1.0feb10ab93b87p-56,
     0x1.3eb25d0000000p-1, 0x1.90b8478000000p-1},
    {0x1.404275e2677f7p-1, -0x1.f859aade89fd2p-56, 0x1.8f78cd00b1899p-1, -0x1.d5d3da9ac3dd3p-58,
     0x1.4042760000000p-1, 0x1.8f78cd0000000p-1},
    {0x1.41d14e4ba679p-1, 0x1.4608fd287ecf5p-55, 0x1.8e37c303d9ad1p-1, -0x1.463a4b53d4bf8p-57,
     0x1.41d14e8000000p-1, 0x1.8e37c30000000p-1},
    {0x1.435ee4e3b1f86p-1, 0x1.fd05667361565p-55, 0x1.8cf52acf5ffcp-1, 0x1.eb45b71ac7cc5p-56,
     0x1.435ee50000000p-1, 0x1.8cf52b0000000p-1},
    {0x1.44eb381cf386bp-1, -0x1.3ed6c1e6a5505p-55, 0x1.8bb105a5dc9p-1, 0x1.863e03e9474c1p-55,
     0x1.44eb380000000p-1, 0x1.8bb1058000000p-1},
    {0x1.4676466b180b9p-1, 0x1.d4f2a623cabd3p-56, 0x1.8a6b54cb74779p-1, 0x1.754938eccac38p-55,
     0x1.4676468000000p-1, 0x1.8a6b550000000p-1},
    {0x1.48000e431159fp-1, -0x1.b194a7463ed1p-55, 0x1.89241985d871fp-1, 0x1.c48d9c413ed84p-55,
     0x1.48000e8000000p-1, 0x1.8924198000000p-1},
    {0x1.49888e1b17ba8p-1, 0x1.85f236b9ef692p-56, 0x1.87db551c43a98p-1, 0x1.cc790421e159ap-58,
     0x1.49888e0000000p-1, 0x1.87db550000000p-1},
    {0x1.4b0fc46aab761p-1, 0x1.0da05738cc59cp-61, 0x1.869108d77a6c6p-1, 0x1.338ffe2bfe9ddp-56,
     0x1.4b0fc48000000p-1, 0x1.8691090000000p-1},
    {0x1.4c95afaa965d9p-1, 0x1.99f87b905eef7p-55, 0x1.85453601c8e3ep-1, -0x1.8826853e7560ap-57,
     0x1.4c95af8000000p-1, 0x1.8545360000000p-1},
    {0x1.4e1a4e54ed51bp-1, -0x1.a492f89b7c76ap-55, 0x1.83f7dde701cap-1, -0x1.152cf609bc6e8p-59,
     0x1.4e1a4e8000000p-1, 0x1.83f7de0000000p-1},
    {0x1.4f9d9ee511c85p-1, 0x1.2ed6c74c625f7p-55, 0x1.82a901d47d1dcp-1, 0x1.7cbb4128c4c1ep-55,
     0x1.4f9d9f0000000p-1, 0x1.82a9020000000p-1},
    {0x1.511f9fd7b351cp-1, -0x1.5c0e861c48831p-55, 0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57,
     0x1.511fa00000000p-1, 0x1.8158a30000000p-1},
    {0x1.52a04faad11b6p-1, 0x1.07d7bd78bcb9cp-55, 0x1.8006c3052d917p-1, 0x1.aa8fb560a8d95p-55,
     0x1.52a04f8000000p-1, 0x1.8006c30000000p-1},
    {0x1.541facddbb724p-1, 0x1.232c28520d391p-56, 0x1.7eb362eaa1488p-1, 0x1.a1d65a4a5959fp-58,
     0x1.541fad0000000p-1, 0x1.7eb3630000000p-1},
    {0x1.559db5f115436p-1, -0x1.7229f7edd605p-56, 0x1.7d5e841cd1f93p-1, 0x1.ba5492fa6d189p-58,
     0x1.559db60000000p-1, 0x1.7d5e840000000p-1},
    {0x1.571a6966d59b3p-1, 0x1.c843b4d0fb197p-58, 0x1.7c0827f09e54fp-1, -0x1.c73d6d72aee68p-57,
     0x1.571a698000000p-1, 0x1.7c08280000000p-1},
    {0x1.5895c5c24923bp-1, 0x1.b97f22c957c4fp-55, 0x1.7ab04fbc626b6p-1, 0x1.36a41f9c8150ap-55,
     0x1.5895c60000000p-1, 0x1.7ab04f8000000p-1},
    {0x1.5a0fc98813a12p-1, -0x1.d82e2b7d4227bp-55, 0x1.7956fcd7f6543p-1, -0x1.ab276e9d45ae4p-55,
     0x1.5a0fc98000000p-1, 0x1.7956fd0000000p-1},
    {0x1.5b88733e316d1p-1, -0x1.077c33cd5e751p-55, 0x1.77fc309cacd6ep-1, 0x1.a61550088db65p-58,
     0x1.5b88730000000p-1, 0x1.77fc308000000p-1},
    {0x1.5cffc16bf8f0dp-1, 0x1.96cb370eb578ap-55, 0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57,
     0x1.5cffc18000000p-1, 0x1.769fec8000000p-1},
    {0x1.5e75b29a1c1dfp-1, 0x1.c266e6544ba29p-55, 0x1.7542318e2a1fap-1, 0x1.da5b28e9eb3b9p-55,
     0x1.5e75b28000000p-1, 0x1.7542318000000p-1},
    {0x1.5fea4552a9e57p-1, 0x1.0b6cef7ee20b7p-55, 0x1.73e30174efba1p-1, -0x1.5d3ae3d94ad5fp-57,
     0x1.5fea458000000p-1, 0x1.73e3018000000p-1},
    {0x1.615d78210faddp-1, -0x1.e3827d0c03315p-56, 0x1.72825d78d2dd2p-1, -0x1.5c7ee90b400a9p-55,
     0x1.615d780000000p-1, 0x1.72825d8000000p-1},
    {0x1.62cf49921ac79p-1, -0x1.edd9855b6241ap-55, 0x1.712046fa77678p-1, 0x1.425b0a5029c81p-55,
     0x1.62cf498000000p-1, 0x1.7120470000000p-1},
    {0x1.643fb833f9e07p-1, -0x1.4a1c5cd0442cdp-57, 0x1.6fbcbf5bf3ba2p-1, 0x1.eaec3811b3b5dp-55,
     0x1.643fb80000000p-1, 0x1.6fbcbf8000000p-1},
    {0x1.65aec2963e755p-1, 0x1.126f96b71053cp-55, 0x1.6e57c800cf55ep-1, 0x1.60286dedbd0a6p-55,
     0x1.65aec28000000p-1, 0x1.6e57c80000000p-1},
    {0x1.671c6749de429p-1, -0x1.57b95de1e1fdfp-55, 0x1.6cf1624e01782p-1, 0x1.d2f32a51e82e8p-56,
     0x1.671c678000000p-1, 0x1.6cf1628000000p-1},
    {0x1.6888a4e134b2fp-1, -0x1.6b7d37644d5e6p-55, 0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56,
     0x1.6888a50000000p-1, 0x1.6b898f8000000p-1},
    {0x1.69f379f0044d7p-1, 0x1.d89d29f8584f8p-55, 0x1.6a20517c6c95p-1, 0x1.a6fd059b9724cp-55,
     0x1.69f37a0000000p-1, 0x1.6a20518000000p-1},
    {0x1.6b5ce50b7821ap-1, -0x1.5d5158f702e0fp-57, 0x1.68b5a92eb6253p-1, -0x1.9a91ad985f89cp-55,
     0x1.6b5ce50000000p-1, 0x1.68b5a90000000p-1},
    {0x1.6cc4e4ca25321p-1, -0x1.60095ee08b1c7p-55, 0x1.6749982b7495cp-1, -0x1.c9e7453b2bb61p-55,
     0x1.6cc4e50000000p-1, 0x1.6749980000000p-1},
};

constexpr double Talp_SinCosErr = 0x1p-70;
constexpr double Talp_TanErr = 0x1.8p-69;

// First tier, for |x| < 2^19: a three-part reduction (k C4 < 2^-85 makes the relative error
// below 2^-72 once |r| >= 2^-12) and a kernel for just one of sin r, cos r with two exact steps,
// relative error below 2^-68.5 (the rounding of S (cos t - 1) at i = 1). With the rounding of the
// unnormalized low part (below 2^-19 of the value, so 2^-72) the test takes 1.75 * 2^-69: tight,
// since each doubling of the bound doubles the share of calls that fall through (here 4e-5).
constexpr double Talp_LeanErr = 0x1.cp-69;
// tan's first tier: the Taylor sums at i/256 stay below 2^-67.3, their inverse in odd quadrants
// below 1.3 * 2^-67.3 (the rounding of its low part included): tested against 1.125 * 2^-67.
constexpr double Talp_LeanTanErr = 0x1.2p-67;
constexpr double Talp_LeanLimit = 0x1p19;
constexpr double Talp_QuarterPi = 0x1.921fb54442d18p-1;  // rounded; r = x stays within the table

// 256 (1 - 2^-20) and 128 pi (1 - 2^-20), rounded: the table row of |r| comes straight from x,
// beside r's own chain. The factor keeps |r| > 2^-9 on row 1, so that |r| - 1/256 stays exact.
constexpr double Talp_RowScale = 256 - 0x1p-12;
constexpr double Talp_RowQuadrant = 0x1.921f9c22477d4p+8;

/// r = |x| - n pi/2 with the first tier's accuracy, and row ~ 256 (1 - 2^-20) r within 2^-24.
inline bool Talp_ReduceLean(double ax, Talp_Dd* r, unsigned* n, double* row) {
    if (ax <= Talp_QuarterPi) {  // the common small angle needs no reduction
        *r = {ax, 0};
        *n = 0;
        *row = ax * Talp_RowScale;
        return true;
    }
    if (!(ax < Talp_LeanLimit)) return false;
    const double shifted = ax * Talp_TwoOverPi + Talp_RoundingShift;
    const double kd = shifted - Talp_RoundingShift;
    // Both products round by 2^-26 at most (below 2^27); the difference is exact.
    *row = ax * Talp_RowScale - kd * Talp_RowQuadrant;
    // Exact while |r| >= 2^-12 > 8 |k C2|. Nearer a multiple of pi/2 (3 in 10^4 of the calls
    // below 8) three parts lose too much: the full reduction serves the same kernel.
    const Talp_Dd s = Talp_FastTwoSum(ax - kd * Talp_HalfPiC1, -(kd * Talp_HalfPiC2));
    if (Talp_Abs(s.hi) < 0x1p-12) {
        *n = Talp_ReduceFast(ax, r);
        *row = r->hi * Talp_RowScale;
        return true;
    }
    // Not renormalized, which would lengthen the chain: |r.lo| < 2^-38 |r.hi|, whose square the
    // kernels may drop.
    *r = {s.hi, s.lo - kd * Talp_HalfPiC3};
    *n = unsigned(Talp_Bits(shifted)) & 3;
    return true;
}

// t = th + tl = |r| - a for a = i/256, th split as (|r|'s 26-bit head - a) + its tail (the head's
// product with a 26-bit table head is exact, and the split runs beside th's chain) and the Taylor
// tails of t to t^7 (the products with tl below 2^-47 of the value, their roundings negligible).
struct Talp_LeanParts {
    const double* row;
    double th, headHi, headLo;
    double cosTail, sinTail;  // cos t - 1, sin t - th
};

// For |th| <= 2^-9 (1 + 2^-11) and |r| >= 2^-9 unless a = 0: th is exact (Sterbenz), and so is
// headHi, with 27 bits at most: r's head and a are multiples of 2^-25 of r's binade, their
// difference below 2^-8. |headLo| <= 2^-26 |r|. Without tl (r = |x|) its terms are left out.
inline Talp_LeanParts Talp_LeanFrom(uint64_t i, double rh, double a, double tl,
                                    bool hasLow = true) {
    const double th = rh - a;
    const Talp_Dd head = Talp_Split(rh);
    // Short sums of independent products: the call's latency is its cost. cos t - 1 rounds as
    // many times as the plain Horner form; the terms of sin t - th stay below 2^-29 of the value.
    const double t2 = th * th, t4 = t2 * t2, t3 = th * t2;
    const double cosHead = t2 * -0.5, cosRest = t4 * (1.0 / 24 - t2 * (1.0 / 720));
    const double sinRest = t3 * ((-1.0 / 6 + t2 * (1.0 / 120)) + t4 * (-1.0 / 5040));
    const double* row = Talp_SinCosTable[i];
    if (!hasLow) return {row, th, head.hi - a, head.lo, cosHead + cosRest, sinRest};
    const double cosTail = (cosHead - th * tl) + cosRest;
    const double sinTail = sinRest + (tl - 0.5 * t2 * tl);
    return {row, th, head.hi - a, head.lo, cosTail, sinTail};
}

// The first tier's value as hi + mid + late: hi + mid is known early, late (the tails' products)
// last, so that the rounding test adds it last.
struct Talp_LeanSum {
    double hi, mid, late;
};

// sin(a + t) = S cos t + C sin t, cos(a + t) = C cos t - S sin t: with (P, Q) = (S, C) or
// (C, -S), P + Q th + [P (cos t - 1) + Q (sin t - th)], Q th exact through Q's 26-bit head.
template <bool Talp_Cosine>
inline Talp_LeanSum Talp_LeanEval(const Talp_LeanParts& p) {
    const double* row = p.row;
    const double ph = Talp_Cosine ? row[2] : row[0], pl = Talp_Cosine ? row[3] : row[1];
    const double qh = Talp_Cosine ? -row[0] : row[2], ql = Talp_Cosine ? -row[1] : row[3];
    const double q26 = Talp_Cosine ? -row[4] : row[5];
    // Exact in three operations: P is 0 (sin on row 0) or above |Q headHi| (below 2^-9 (1 +
    // 2^-10)).
    const Talp_Dd s = Talp_FastTwoSum(ph, q26 * p.headHi);
    const double mid = s.lo + ((pl + ql * p.th) + (q26 * p.headLo + (qh - q26) * p.th));
    return {s.hi, mid, qh * p.sinTail + ph * p.cosTail};
}

// Rounds v when every real within relErr |v.hi| of it rounds alike, else false. The error is
// added to mid, before late: one addition fewer on the chain than a renormalized low part, and
// the roundings no larger (mid is below 2^-25 of hi, so that adding relErr to it rounds by 2^-78
// of hi at most; the one sum with late rounds as the low part did).
inline bool Talp_LeanRounds(const Talp_LeanSum& v, double relErr, double* out) {
    const double e = relErr * Talp_Abs(v.hi);
    const double up = v.hi + ((v.mid + e) + v.late);
    const double down = v.hi + ((v.mid - e) + v.late);
    *out = up;
    return up == down;
}

Talp_Dd Talp_Negate(Talp_Dd a) {
    return {-a.hi, -a.lo};
}

Talp_Dd Talp_Abs(Talp_Dd a) {
    return a.hi < 0 ? Talp_Dd{-a.hi, -a.lo} : a;
}

constexpr double Talp_ThreeQuarterPi = 0x1.2d97c7f3321d2p+1;  // rounded
constexpr double Talp_FiveQuarterPi = 0x1.f6a7a2955385ep+1;   // rounded
constexpr double Talp_RowShift = 0x1.8p44;  // adding then subtracting rounds to a multiple of 1/256
/// For pi/4 < |x| < 5pi/4, where the quadrant n = 1 or 2 follows from x alone: the general
/// reduction's r without its quotient, (|x| - n C1) - n C2 - n C3, the first difference exact
/// (n C1 / 2 <= |x| <= 2 n C1); false where |r| < 2^-12 and three parts are not enough.
inline bool Talp_ReduceNear(double ax, unsigned* n, Talp_Dd* r) {
    const bool second = ax >= Talp_ThreeQuarterPi;
    *n = second ? 2 : 1;
    const double k = second ? 2.0 : 1.0;  // n C1, n C2 and n C3 are exact
    const Talp_Dd s = Talp_FastTwoSum(ax - k * Talp_HalfPiC1, -(k * Talp_HalfPiC2));
    *r = {s.hi, s.lo - k * Talp_HalfPiC3};
    return !(::Talp_Abs(s.hi) < 0x1p-12);
}

// Beyond pi/4: |r| = a + th + tl with a = i/256, quadrant n and the sign of r for |x| < 2^19;
// false beyond, or where three parts of pi/2 are not enough. Below 5pi/4, a is the nearest to
// |r| <= pi/4 + 2^-51.
inline bool Talp_ReduceBeyondQuarter(double ax, uint64_t* i, double* rh, double* a, double* tl,
                                     unsigned* n, bool* rNegative) {
    Talp_Dd near;  // apart from r below, whose address the general reduction takes
    if (ax < Talp_FiveQuarterPi && Talp_ReduceNear(ax, n, &near)) {
        *rNegative = near.hi < 0;
        *rh = ::Talp_Abs(near.hi);
        const double shifted = *rh + Talp_RowShift;
        *i = Talp_Bits(shifted) & 0xFF;
        *a = shifted - Talp_RowShift;
        *tl = *rNegative ? -near.lo : near.lo;
        return true;
    }
    Talp_Dd r;
    double row;
    if (!Talp_ReduceLean(ax, &r, n, &row)) return false;
    const Talp_Dd ar = Talp_Abs(r);
    const double shifted = ::Talp_Abs(row) + Talp_RoundingShift;
    *i = Talp_Bits(shifted) & 0xFF;
    // i/256 lies within 2^-9 (1 + 2^-11) of r, and r > 2^-9 when i = 1.
    *rh = ar.hi;
    *a = (shifted - Talp_RoundingShift) * 0x1p-8;
    *tl = ar.lo;
    *rNegative = r.hi < 0;
    return true;
}

// Calls finish(parts of |r|, quadrant n, r < 0) with the first tier's reduction of
// 2^-27 <= |x| < 2^19; false when there is none or finish fails. Up to pi/4, r = |x| and i/256
// is the nearest to it, so that |th| <= 2^-9 and th is exact (|x| and i/256 lie within a factor
// 2 of each other unless i = 0); that common case gets its own copy of finish.
template <class Talp_Finish>
TALP_INLINE bool Talp_LeanReduce(double ax, const Talp_Finish& finish) {
    if (ax <= Talp_QuarterPi) {
        const double shifted = ax + Talp_RowShift;
        const double a = shifted - Talp_RowShift;
        return finish(Talp_LeanFrom(Talp_Bits(shifted) & 0xFF, ax, a, 0, false), 0u, false);
    }
    uint64_t i;
    double rh, a, tl;
    unsigned n;
    bool rNegative;
    if (!Talp_ReduceBeyondQuarter(ax, &i, &rh, &a, &tl, &n, &rNegative)) return false;
    return finish(Talp_LeanFrom(i, rh, a, tl), n, rNegative);
}

struct Talp_SinCosDd {
    Talp_Dd s, c;
};

// sin and cos of r = rh + rl, |r| <= pi/4 + 2^-30.
Talp_SinCosDd Talp_SinCosKernel(Talp_Dd r) {
    const bool negative = r.hi < 0;
    const double rh = negative ? -r.hi : r.hi, rl = negative ? -r.lo : r.lo;
    const int i = int(rh * 256 + 0.5);
    const double* row = Talp_SinCosTable[i];
    const double th = rh - i * 0x1p-8;  // exact: both lie within 2^-9 on the same 2^-53 grid
    const Talp_Dd t2 = Talp_TwoProd(th, th);
    const double t2h = t2.hi, t2l = t2.lo + 2 * th * rl;
    // sin t - t and cos t - 1 - (-t2h/2), Taylor terms to t^7 and t^6; t^9/9! < 2^-99.
    const double ps =
        th * t2h * (-1.0 / 6 + t2h * (1.0 / 120 - t2h * (1.0 / 5040))) - 0.5 * t2h * rl;
    const double sinTail = rl + ps;
    const double ch = -0.5 * t2h;
    const double cl = -0.5 * t2l + t2h * t2h * (1.0 / 24 - t2h * (1.0 / 720));
    const double sh = row[0], sl = row[1], cosh = row[2], cosl = row[3];

    Talp_Dd p1 = Talp_TwoProd(cosh, th);  // C sin t
    p1.lo += cosh * sinTail + cosl * th;
    Talp_Dd p2 = Talp_TwoProd(sh, ch);  // S (cos t - 1)
    p2.lo += sh * cl + sl * ch;
    const Talp_Dd a1 = Talp_TwoSum(sh, p1.hi);
    const Talp_Dd a2 = Talp_TwoSum(a1.hi, p2.hi);
    Talp_Dd s = Talp_FastTwoSum(a2.hi, (a1.lo + a2.lo) + (sl + p1.lo + p2.lo));

    Talp_Dd q1 = Talp_TwoProd(cosh, ch);  // C (cos t - 1)
    q1.lo += cosh * cl + cosl * ch;
    Talp_Dd q2 = Talp_TwoProd(sh, th);  // S sin t
    q2.lo += sh * sinTail + sl * th;
    const Talp_Dd b1 = Talp_TwoSum(cosh, q1.hi);
    const Talp_Dd b2 = Talp_TwoSum(b1.hi, -q2.hi);
    const Talp_Dd c = Talp_FastTwoSum(b2.hi, (b1.lo + b2.lo) + (cosl + q1.lo - q2.lo));
    if (negative) s = {-s.hi, -s.lo};
    return {s, c};
}

// sin (n even) or cos of x from the kernel's pair, by quadrant.
Talp_Dd Talp_ByQuadrant(const Talp_SinCosDd& k, unsigned n, bool wantCos) {
    const unsigned q = (n + (wantCos ? 1 : 0)) & 3;
    switch (q) {
        case 0:
            return k.s;
        case 1:
            return k.c;
        case 2:
            return Talp_Negate(k.s);
        default:
            return Talp_Negate(k.c);
    }
}

double Talp_SinCosSlow(double x, bool wantCos) {
    Talp_Wide r, s, c;
    const unsigned n = Talp_ReduceWide(x, &r);
    Talp_WideSinCosQuadrant(r, n, &s, &c);
    return Talp_WideRound(wantCos ? c : s, 0);
}

// sin(|x|) (or cos) by the first tier, for 2^-27 <= |x| < inf; false when it cannot round.
// Quadrant q of sin: sin r, cos r, -sin r, -cos r; sin(-r) = -sin r.
struct Talp_RoundOne {
    bool wantCos;
    double* out;
    TALP_INLINE bool operator()(const Talp_LeanParts& p, unsigned n, bool rNegative) const {
        const unsigned q = (n + (wantCos ? 1 : 0)) & 3;
        double v;
        if (!Talp_LeanRounds((q & 1) ? Talp_LeanEval<true>(p) : Talp_LeanEval<false>(p),
                             Talp_LeanErr, &v))
            return false;
        const bool negative = (q & 1) ? q == 3 : ((q == 2) != rNegative);
        *out = negative ? -v : v;
        return true;
    }
};

TALP_INLINE bool Talp_SinOrCosLean(double ax, bool wantCos, double* out) {
    return Talp_LeanReduce(ax, Talp_RoundOne{wantCos, out});
}

// sin x: s, c, -s, -c by quadrant, cos x: c, -s, -c, s; sin(-r) = -sin r.
struct Talp_RoundBoth {
    bool xNegative;
    double *sinOut, *cosOut;
    TALP_INLINE bool operator()(const Talp_LeanParts& p, unsigned n, bool rNegative) const {
        const Talp_LeanSum s = Talp_LeanEval<false>(p), c = Talp_LeanEval<true>(p);  // of |r|
        const bool odd = (n & 1) != 0;
        double so, co;
        // Both tests before one branch: a fall-through is rare either way.
        const bool sinRounds = Talp_LeanRounds(odd ? c : s, Talp_LeanErr, &so);
        if (!(Talp_LeanRounds(odd ? s : c, Talp_LeanErr, &co) & sinRounds)) return false;
        const bool sinNegative = odd ? n == 3 : (n == 2) != rNegative;
        const bool cosNegative = odd ? (n == 1) != rNegative : n == 2;
        *sinOut = sinNegative != xNegative ? -so : so;
        *cosOut = cosNegative ? -co : co;
        return true;
    }
};

// sin(|x|) (or cos) by the second and third tiers.
TALP_NOINLINE double Talp_SinOrCosFull(double ax, bool wantCos) {
    const bool leanTried = ax < Talp_LeanLimit;
    if (leanTried) Talp_CountSlowPath();
    Talp_Dd r;
    const unsigned n = Talp_ReduceFast(ax, &r);
    const Talp_SinCosDd k = Talp_SinCosKernel(r);
    double out;
    if (Talp_RoundsSafely(Talp_ByQuadrant(k, n, wantCos), Talp_SinCosErr, &out)) return out;
    if (!leanTried) Talp_CountSlowPath();
    return Talp_SinCosSlow(ax, wantCos);
}

// Out of line, so that the fast path keeps no frame for these calls.
TALP_NOINLINE void Talp_SinCosApart(double x, double* sinOut, double* cosOut) {
    *sinOut = Talp_Sin(x);
    *cosOut = Talp_Cos(x);
}

// Below 2^-26 sin x and tan x round to x, below 2^-27 cos x rounds to 1: the cubic term stays
// under a quarter of an ulp.
constexpr double Talp_SinIsIdentity = 0x1p-26;
constexpr double Talp_TanIsIdentity = 0x1p-27;
constexpr double Talp_CosIsOne = 0x1p-27;

}  // namespace

double Talp_Sin(double x) {
    const double ax = Talp_Abs(x);
    if (ax < Talp_SinIsIdentity) return x;
    if (!(ax < Talp_Inf)) return x - x;  // NaN for +-inf and NaN
    double s;
    if (!Talp_SinOrCosLean(ax, false, &s)) s = Talp_SinOrCosFull(ax, false);
    return x < 0 ? -s : s;
}

double Talp_Cos(double x) {
    const double ax = Talp_Abs(x);
    if (ax < Talp_CosIsOne) return 1.0;
    if (!(ax < Talp_Inf)) return x - x;
    double c;
    if (!Talp_SinOrCosLean(ax, true, &c)) c = Talp_SinOrCosFull(ax, true);
    return c;
}

void Talp_SinCos(double x, double* sinOut, double* cosOut) {
    const double ax = Talp_Abs(x);
    if (ax >= Talp_CosIsOne && Talp_LeanReduce(ax, Talp_RoundBoth{x < 0, sinOut, cosOut})) return;
    Talp_SinCosApart(x, sinOut, cosOut);
}

double Talp_Tan(double x) {
    const double ax = Talp_Abs(x);
    if (ax < Talp_TanIsIdentity) return x;
    if (!(ax < Talp_Inf)) return x - x;
    Talp_Dd r;
    unsigned n;
    double out, row;
    // tan(-r) = -tan r, and in odd quadrants tan(r + pi/2) = -1 / tan r.
    // Up to 5pi/4 the quadrant follows without a quotient, as for sin and cos.
    const bool near = ax > Talp_QuarterPi && ax < Talp_FiveQuarterPi && Talp_ReduceNear(ax, &n, &r);
    if (near) row = r.hi * Talp_RowScale;
    if (near || Talp_ReduceLean(ax, &r, &n, &row)) {
        // Below 2^10, |r.lo| <= 2^-53 |r| + 653 C3 needs no normalization (off the chain).
        const Talp_Dd ar = Talp_Abs(ax < 0x1p10 ? r : Talp_FastTwoSum(r.hi, r.lo));
        const bool odd = (n & 1) != 0;
        if (Talp_TanLean(ar.hi, ar.lo, Talp_Abs(row), odd, Talp_LeanTanErr, &out))
            return ((x < 0) != (r.hi < 0)) != odd ? -out : out;
    }
    const bool leanTried = ax < Talp_LeanLimit;
    if (leanTried) Talp_CountSlowPath();
    // Odd quadrants: tan(r + pi/2) = -cos r / sin r.
    n = Talp_ReduceFast(ax, &r);
    const Talp_SinCosDd k = Talp_SinCosKernel(r);
    const Talp_Dd t = (n & 1) ? Talp_Negate(Talp_DdDiv(k.c, k.s)) : Talp_DdDiv(k.s, k.c);
    if (!Talp_RoundsSafely(t, Talp_TanErr, &out)) {
        if (!leanTried) Talp_CountSlowPath();
        Talp_Wide w, s, c;
        const unsigned m = Talp_ReduceWide(ax, &w);
        Talp_WideSinCosQuadrant(w, m, &s, &c);
        out = Talp_WideDivide(s, c);
    }
    return x < 0 ? -out : out;
}
