#!/usr/bin/env python3
# Writes the example networks of examples/ (or of the folder given as its argument):
# observations computed from the true coordinates below, with Gaussian noise of the stated size
# from a fixed seed; free points get approximate coordinates off by up to a few hundred
# millimetres. It writes every file of examples/ but two: BODY.DB, which a run of planor on
# KNOWN.TXT writes, and RDEFBIG.TXT, the plane deformation program's largest network, whose
# observations it does not reproduce (see examples/README.md).
import math, os, random, struct, sys

RO = 636619.772367  # cc per radian

FOLDER = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'examples')

def example(name):
    return os.path.join(FOLDER, name)

# The observed quantities between two points given as (x, y[, z, ...]) in mm: the bearing
# from the x axis [cc, 0 to 4000000], the zenith angle [cc], the slope and the plane distance.
def azimuth(pa, pb):
    t = math.atan2(pb[1]-pa[1], pb[0]-pa[0]); return (t + 2*math.pi if t < 0 else t)*RO

def zenith(pa, pb):
    return math.atan2(math.hypot(pb[0]-pa[0], pb[1]-pa[1]), pb[2]-pa[2])*RO

def slope(pa, pb):
    return math.sqrt(sum((pb[i]-pa[i])**2 for i in range(3)))

def horizontal(pa, pb):
    return math.hypot(pb[0]-pa[0], pb[1]-pa[1])

def demo():
    random.seed(7)
    pts = {
     1: (1000000.0, 2000000.0, 300000.0, 7),
     2: (1350000.0, 2120000.0, 310500.0, 2),
     3: (1180000.0, 2420000.0, 305200.0, 0),
     4: (820000.0, 2380000.0, 298400.0, 0),
     5: (760000.0, 2050000.0, 301900.0, 0),
     6: (1120000.0, 1760000.0, 296300.0, 0),
     7: (1450000.0, 2400000.0, 312800.0, 0),
    }
    def az(a,b): return azimuth(pts[a], pts[b])
    stations = {1:[2,3,4,5,6], 2:[1,3,7,6], 3:[2,7,4,1], 4:[3,5,1], 5:[4,1,6], 7:[2,3]}
    out = []
    out.append("'Demonstracni prostorova sit, 7 bodu'")
    out.append("3.0 2.0 5.0 3.0 0.0")
    for n,(x,y,z,c) in pts.items():
        if c in (0,1):
            x += random.uniform(-250,250); y += random.uniform(-250,250); z += random.uniform(-100,100)
        out.append(f"{n:4d} {c:3d} {x:12.1f} {y:12.1f} {z:10.1f}")
    out.append("-1")
    for s, tg in stations.items():
        o = random.uniform(0, 4e6)
        for t in tg:
            v = (az(s,t) - o + random.gauss(0,3.0)) % 4e6
            out.append(f"{s:4d} {t:4d} {v:12.1f} 1.0")
    out.append("-1")
    def zen(a,b): return zenith(pts[a], pts[b])
    def dist(a,b): return slope(pts[a], pts[b])
    for a,b in [(1,2),(1,3),(1,6),(2,7),(3,4),(4,5),(5,6),(7,3),(2,6)]:
        out.append(f"{a:4d} {b:4d} {zen(a,b)+random.gauss(0,5.0):12.1f} 0.36")
    out.append("-1")
    for a,b in [(1,2),(1,3),(1,4),(1,5),(1,6),(2,3),(2,7),(3,4),(4,5),(5,6),(3,7),(2,6)]:
        out.append(f"{a:4d} {b:4d} {dist(a,b)+random.gauss(0,2.0):12.1f} 2.25")
    out.append("-1")
    open(example('DEMO.TXT'), 'w').write("\n".join(out)+"\n")

def big():
    random.seed(11)
    pts = {}
    n = 20
    for i in range(1, n+1):
        ang = 2*math.pi*i/n
        r = 300000 + 150000*((i*7) % 5)/4
        pts[i] = [1000000 + r*math.cos(ang), 2000000 + r*math.sin(ang), 300000 + 8000*math.sin(3*ang), 0]
    pts[1][3] = 7
    pts[11][3] = 2
    def az(a,b): return azimuth(pts[a], pts[b])
    def zen(a,b): return zenith(pts[a], pts[b])
    def dist(a,b): return slope(pts[a], pts[b])
    out = ["'Velka sit: 20 bodu, 180 merenych velicin'", "3.0 2.0 5.0 3.0 1.0"]
    for k,(x,y,z,c) in pts.items():
        if c in (0,1):
            x += random.uniform(-200,200); y += random.uniform(-200,200); z += random.uniform(-80,80)
        out.append(f"{k:4d} {c:3d} {x:12.1f} {y:12.1f} {z:10.1f}")
    out.append("-1")
    stations = [1,3,6,8,11,13,16,18]
    for s in stations:
        o = random.uniform(0, 4e6)
        tg = [t for t in range(1, n+1) if t != s]
        random.shuffle(tg)
        for t in tg[:12]:
            out.append(f"{s:4d} {t:4d} {(az(s,t)-o+random.gauss(0,3))%4e6:12.1f} 1.0")
    out.append("-1")
    pairs = [(a, b) for a in range(1, n+1) for b in range(1, n+1) if a != b]
    random.shuffle(pairs)
    for a,b in pairs[:44]:
        out.append(f"{a:4d} {b:4d} {zen(a,b)+random.gauss(0,5):12.1f} 0.36")
    out.append("-1")
    for a,b in pairs[44:84]:
        out.append(f"{a:4d} {b:4d} {dist(a,b)+random.gauss(0,2):12.1f} 2.25")
    out.append("-1")
    open(example('BIG.TXT'), 'w').write("\n".join(out)+"\n")

def two_epochs(name, title, apriori, pts, moved, stations, zeniths, distances, noise, seed):
    """A two-epoch file: epoch (o) observed at the true coordinates, epoch (i) at the true
    coordinates moved by `moved` (mm per point); both with Gaussian noise of `noise` (cc, cc, mm)
    and the same orientation of each station group."""
    random.seed(seed)
    def at(epoch, k):
        x, y, z = pts[k][:3]
        if epoch == 1 and k in moved:
            x, y, z = x + moved[k][0], y + moved[k][1], z + moved[k][2]
        return x, y, z
    def az(e, a, b): return azimuth(at(e, a), at(e, b))
    def zen(e, a, b): return zenith(at(e, a), at(e, b))
    def dist(e, a, b): return slope(at(e, a), at(e, b))
    out = [f"'{title}'", apriori]
    for k, (x, y, z, c) in pts.items():
        out.append(f"{k:4d} {c:3d} {x:12.1f} {y:12.1f} {z:10.1f}")
    out.append("-1")
    for s, tg in stations:
        o = random.uniform(0, 4e6)
        for t in tg:
            v = [(az(e, s, t) - o + random.gauss(0, noise[0])) % 4e6 for e in (0, 1)]
            out.append(f"{s:4d} {t:4d} {v[0]:12.1f} {v[1]:12.1f} 1.0")
    out.append("-1")
    for a, b in zeniths:
        v = [zen(e, a, b) + random.gauss(0, noise[1]) for e in (0, 1)]
        out.append(f"{a:4d} {b:4d} {v[0]:12.1f} {v[1]:12.1f} 0.36")
    out.append("-1")
    for a, b in distances:
        v = [dist(e, a, b) + random.gauss(0, noise[2]) for e in (0, 1)]
        out.append(f"{a:4d} {b:4d} {v[0]:12.2f} {v[1]:12.2f} 2.25")
    out.append("-1")
    open(example(name), 'w').write("\n".join(out)+"\n")

def deform_demo():
    """The demo of the deformation program: the 7 points of DEMO.TXT at their true coordinates,
    point 5 moved by (4, -3, 2) mm and point 7 by (-2, 5, -6) mm between the epochs."""
    pts = {
     1: (1000000.0, 2000000.0, 300000.0, 7),
     2: (1350000.0, 2120000.0, 310500.0, 2),
     3: (1180000.0, 2420000.0, 305200.0, 0),
     4: (820000.0, 2380000.0, 298400.0, 0),
     5: (760000.0, 2050000.0, 301900.0, 0),
     6: (1120000.0, 1760000.0, 296300.0, 0),
     7: (1450000.0, 2400000.0, 312800.0, 0),
    }
    stations = [(1, [2, 3, 4, 5, 6]), (2, [1, 3, 7, 6]), (3, [2, 7, 4, 1]), (4, [3, 5, 1]),
                (5, [4, 1, 6]), (7, [2, 3])]
    zeniths = [(1,2),(1,3),(1,6),(2,7),(3,4),(4,5),(5,6),(7,3),(2,6)]
    distances = [(1,2),(1,3),(1,4),(1,5),(1,6),(2,3),(2,7),(3,4),(4,5),(5,6),(3,7),(2,6)]
    two_epochs('DEFORM.TXT', 'Demonstracni deformacni sit, 7 bodu, body 5 a 7 posunuty', "1.0 0.7 1.5 1.0 0.0",
               pts, {5: (4.0, -3.0, 2.0), 7: (-2.0, 5.0, -6.0)}, stations, zeniths, distances,
               (0.7, 1.2, 0.4), 21)

def deform_big():
    """The largest network of the deformation program: 20 points, 99 measured quantities (55
    directions at 11 stations spread round the network, 22 zenith angles, 22 slope distances), 88 rows, 190 pairs."""
    random.seed(23)
    n = 20
    pts = {}
    for i in range(1, n+1):
        ang = 2*math.pi*i/n
        r = 300000 + 150000*((i*7) % 5)/4
        pts[i] = (round(1000000 + r*math.cos(ang), 1), round(2000000 + r*math.sin(ang), 1),
                  round(300000 + 8000*math.sin(3*ang), 1), 7 if i == 1 else 2 if i == 11 else 0)
    stations = []
    for s in [1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20]:
        others = sorted((t for t in range(1, n+1) if t != s),
                        key=lambda t: (pts[t][0]-pts[s][0])**2 + (pts[t][1]-pts[s][1])**2)
        stations.append((s, others[:3] + others[6:8]))
    zeniths = [(i, i % n + 1) for i in range(1, n+1)] + [(1, 11), (6, 16)]
    distances = [(i, (i + 1) % n + 1) for i in range(1, n+1)] + [(3, 13), (8, 18)]
    moved = {k: (random.uniform(-5, 5), random.uniform(-5, 5), random.uniform(-5, 5)) for k in range(3, n+1)
             if k != 11}
    two_epochs('DEFBIG.TXT', 'Velka deformacni sit: 20 bodu, 99 merenych velicin', "1.0 0.7 1.5 1.0 0.5",
               pts, moved, stations, zeniths, distances, (0.7, 1.2, 0.4), 29)

# The plane network of planor: 10 points, point 1 fixed (code 6), point 2 the azimuth point
# (code 2), point 3 taken from the point database (code -1: its coordinates come from the
# database, where a points-only run on KNOWN.TXT stored them). Directions with noise of 3 cc,
# distances with noise of 2 mm.
PLANE = {
    1: (5000000.0, 1000000.0, 6),
    2: (5000000.0, 1400000.0, 2),
    3: (5350000.0, 1250000.0, -1),
    4: (5300000.0, 900000.0, 0),
    5: (5650000.0, 1050000.0, 0),
    6: (5600000.0, 1450000.0, 0),
    7: (4700000.0, 1200000.0, 0),
    8: (4750000.0, 800000.0, 0),
    9: (5200000.0, 1650000.0, 0),
    10: (5900000.0, 1300000.0, 0),
}

def known():
    out = ["'Zname body pro databazi'", "3.0 2.0 1.0 2.0"]
    for k in (1, 2, 3):
        x, y, _ = PLANE[k]
        out.append(f"{k:4d} {0:3d} {x:12.1f} {y:12.1f}")
    out.append("-1")
    open(example('KNOWN.TXT'), 'w').write("\n".join(out)+"\n")

def plane():
    random.seed(5)
    pts = PLANE
    def az(a,b): return azimuth(pts[a], pts[b])
    def dist(a,b): return horizontal(pts[a], pts[b])
    out = ["'Rovinna sit, 10 bodu, bod 3 z databaze'", "3.0 2.0 3.0 2.0"]
    for k,(x,y,c) in pts.items():
        if c == -1:
            out.append(f"{k:4d} {c:3d}")
            continue
        if c == 0:
            x += random.uniform(-250,250); y += random.uniform(-250,250)
        out.append(f"{k:4d} {c:3d} {x:12.1f} {y:12.1f}")
    out.append("-1")
    stations = {1:[2,3,4,8,7], 2:[1,7,9,6,3], 3:[1,2,9,6,5,4], 5:[4,3,6,10], 6:[5,3,9,10], 7:[8,1,2], 9:[2,3,6]}
    for s, tg in stations.items():
        o = random.uniform(0, 4e6)
        for t in tg:
            out.append(f"{s:4d} {t:4d} {(az(s,t)-o+random.gauss(0,3))%4e6:12.1f} 1.0")
    out.append("-1")
    for a,b in [(1,2),(1,3),(1,4),(2,9),(3,5),(3,6),(5,10),(6,10),(7,8),(1,7)]:
        out.append(f"{a:4d} {b:4d} {dist(a,b)+random.gauss(0,2):12.1f} 2.25")
    out.append("-1")
    open(example('PLANE.TXT'), 'w').write("\n".join(out)+"\n")

# The largest plane network that planor's capacities allow: 30 points, 199 measured quantities
# (129 directions in 27 station groups, 70 distances) and so 102 + 70 = 172 derived
# observations; point 1 fixed (code 6), point 16 the azimuth point (code 2), the free points off
# by up to 150 mm. The network of the plane benchmark.
def plane_big():
    random.seed(13)
    n = 30
    pts = {}
    for i in range(1, n+1):
        ang = 2*math.pi*i/n
        r = 250000 + 200000*((i*7) % 5)/4
        pts[i] = [3000000 + r*math.cos(ang), 1500000 + r*math.sin(ang), 0]
    pts[1][2] = 6
    pts[16][2] = 2
    def az(a,b): return azimuth(pts[a], pts[b])
    def dist(a,b): return horizontal(pts[a], pts[b])
    out = ["'Velka rovinna sit: 30 bodu, 199 merenych velicin'", "3.0 2.0 3.0 1.0"]
    for k,(x,y,c) in pts.items():
        if c == 0:
            x += random.uniform(-150,150); y += random.uniform(-150,150)
        out.append(f"{k:4d} {c:3d} {x:12.1f} {y:12.1f}")
    out.append("-1")
    for s in range(1, 28):
        o = random.uniform(0, 4e6)
        tg = [t for t in range(1, n+1) if t != s]
        random.shuffle(tg)
        for t in tg[:5 if s <= 21 else 4]:
            out.append(f"{s:4d} {t:4d} {(az(s,t)-o+random.gauss(0,3))%4e6:12.1f} 1.0")
    out.append("-1")
    pairs = [(a, b) for a in range(1, n+1) for b in range(a+1, n+1)]
    random.shuffle(pairs)
    for a,b in pairs[:70]:
        out.append(f"{a:4d} {b:4d} {dist(a,b)+random.gauss(0,2):12.1f} 2.25")
    out.append("-1")
    open(example('PLANEBIG.TXT'), 'w').write("\n".join(out)+"\n")

# The demo of the plane deformation program: 6 points without noise, point 1 fixed (code 6),
# point 2 the azimuth point (code 2), point 3 taken from the point database PLANEDEF.DB (code
# -2); points 2, 4, 5 and 6 moved by a few millimetres between the epochs; the orientation of
# station s is 3700000 - 150000 (s - 1) cc. The database also holds point 20, outside the network.
PLANEDEF = {1: (5000000.0, 1000000.0, 6), 2: (5400000.0, 1300000.0, 2), 3: (4700000.0, 1500000.0, -2),
            4: (5200000.0, 1800000.0, 0), 5: (4800000.0, 2100000.0, 0), 6: (5500000.0, 2200000.0, 0)}

def plane_deform_demo():
    moved = {2: (1.6, 1.2), 4: (3.0, -2.0), 5: (-1.0, 4.0), 6: (1.5, 1.5)}
    epochs = [{k: p[:2] for k, p in PLANEDEF.items()},
              {k: (p[0] + moved.get(k, (0, 0))[0], p[1] + moved.get(k, (0, 0))[1]) for k, p in PLANEDEF.items()}]
    out = ["'Demo rovinna deformace'", "2.0 1.0 1.0 2.0"]
    for k, (x, y, c) in PLANEDEF.items():
        out.append(f"{k:4d} {c:3d}" if c < 0 else f"{k:4d} {c:3d} {x:14.1f} {y:14.1f}")
    out.append("-1")
    stations = [(1, [2, 3, 4]), (2, [1, 3, 4, 6]), (3, [1, 2, 4, 5]), (4, [2, 3, 5, 6]), (5, [3, 4, 6]), (6, [2, 4, 5])]
    for s, targets in stations:
        o = 3700000.0 - 150000.0*(s - 1)
        for t in targets:
            v = [(azimuth(e[s], e[t]) - o) % 4e6 for e in epochs]
            out.append(f"{s:4d} {t:4d} {v[0]:12.1f} {v[1]:12.1f} 1.0")
    out.append("-1")
    for a, b in [(1, 2), (1, 3), (2, 4), (3, 4), (4, 5), (4, 6), (5, 6), (2, 6)]:
        v = [horizontal(e[a], e[b]) for e in epochs]
        out.append(f"{a:4d} {b:4d} {v[0]:12.1f} {v[1]:12.1f} 1.0")
    out.append("-1")
    open(example('PLANEDEF.TXT'), 'w').write("\n".join(out)+"\n")
    # Point database records of 32 bytes: number (int16), x, y, z (float64), six zero bytes.
    with open(example('PLANEDEF.DB'), 'wb') as db:
        for k, x, y in [(3, 4700000.0, 1500000.0), (20, 4500000.0, 1200000.0)]:
            db.write(struct.pack('<hddd', k, x, y, 0.0) + bytes(6))

if __name__ == "__main__":
    demo()
    big()
    deform_demo()
    deform_big()
    known()
    plane()
    plane_big()
    plane_deform_demo()
