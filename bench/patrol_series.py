#!/usr/bin/python3
"""The patrol benchmark's Python side, on Debian's python3-astropy and
python3-photutils.

  patrol_series.py generate DIR FILES SIDE STARS
      writes DIR/field.001 .. field.FILES (SIDE x SIDE, 16-bit, BZERO 32768),
      DIR/dark.fts, DIR/flat.fts and DIR/stars.txt (St1 .. St19 and Var1)
  patrol_series.py measure DIR RADIUS SEARCH
      the same job as `lumvane-cli patrol`: read, dark, flat, each star
      centred near its last place (St1 first, the others moved by St1's
      shift) and measured in a diaphragm with a median annulus background;
      prints the files per second
"""
import glob
import os
import sys
import time

import numpy as np
from astropy.io import fits
from photutils.aperture import ApertureStats, CircularAnnulus, CircularAperture, aperture_photometry
from photutils.centroids import centroid_com, centroid_sources


def write_frame(path, counts, exposure):
    header = fits.Header()
    header["EXPTIME"] = exposure
    header["DATE-OBS"] = "2024-11-08T20:00:00"
    hdu = fits.PrimaryHDU(counts.astype(np.uint16), header=header)  # written with BZERO 32768
    hdu.writeto(path, overwrite=True)


def generate(folder, files, side, stars):
    rng = np.random.default_rng(7)
    yy, xx = np.mgrid[1:side + 1, 1:side + 1]
    response = 1.0 - 0.2 * ((xx - side / 2) ** 2 + (yy - side / 2) ** 2) / (side * side / 2)
    dark = 1000.0 + 30.0 * (1.0 + xx / side)
    margin = 60
    positions = rng.uniform(margin, side - margin, size=(stars, 2))
    fluxes = rng.uniform(30000.0, 300000.0, size=stars)
    fluxes[0] = 400000.0
    # Stars are drawn into small stamps only: the frames are large.
    half = 12
    sy, sx = np.mgrid[-half:half + 1, -half:half + 1]
    drift = np.zeros(2)
    noise = rng.normal(0.0, 8.0, size=(side, side)).astype(np.float32)
    for n in range(1, files + 1):
        drift = np.clip(drift + rng.uniform(-1.0, 1.0, size=2), -4.0, 4.0)
        image = (600.0 * response).astype(np.float32)
        for (x, y), flux in zip(positions + drift, fluxes):
            cx, cy = int(round(x)), int(round(y))
            stamp = flux / (2 * np.pi * 2.0) * np.exp(-((sx + cx - x) ** 2 + (sy + cy - y) ** 2) / 4.0)
            image[cy - half - 1:cy + half, cx - half - 1:cx + half] += stamp * response[cy - 1, cx - 1]
        image += dark + np.roll(noise, 97 * n)
        # The file's first row is the image's top row.
        write_frame(os.path.join(folder, "field.%03d" % n), np.clip(image[::-1], 0, 65535), 30.0)
    write_frame(os.path.join(folder, "dark.fts"), np.clip(dark[::-1], 0, 65535), 30.0)
    write_frame(os.path.join(folder, "flat.fts"), np.clip(20000.0 * response[::-1], 0, 65535), 4.0)
    slots = ["St%d" % (i + 1) for i in range(min(stars, 19))] + ["Var1"] * (stars > 19)
    with open(os.path.join(folder, "stars.txt"), "w") as out:
        for slot, (x, y) in zip(slots, positions):
            out.write("%s %.1f %.1f\n" % (slot, x, y))


def measure(folder, radius, search):
    files = sorted(glob.glob(os.path.join(folder, "field.[0-9][0-9][0-9]")))
    dark = fits.getdata(os.path.join(folder, "dark.fts")).astype(np.float32)
    flat = fits.getdata(os.path.join(folder, "flat.fts")).astype(np.float32)
    flat_scale = flat.mean() / flat  # the flat normalised to its mean, once for the series
    places = np.loadtxt(os.path.join(folder, "stars.txt"), usecols=(1, 2))
    # Image coordinates (x from 1 at the left, y from 1 at the bottom) to
    # array indices: the array's row 0 is the file's first row, the top one.
    places = np.column_stack([places[:, 0] - 1.0, dark.shape[0] - places[:, 1]])
    box = 2 * search + 1
    start = time.perf_counter()
    for n, name in enumerate(files):
        data = fits.getdata(name).astype(np.float32)
        data -= dark
        np.maximum(data, 0.0, out=data)
        data *= flat_scale
        if n > 0:
            # St1 first, with a wider search; the others moved by its shift.
            st1 = centroid_sources(data, places[0, 0], places[0, 1], box_size=2 * box + 3,
                                   centroid_func=centroid_com)
            shift = np.array([st1[0][0], st1[1][0]]) - places[0]
            guess = places + shift
            x, y = centroid_sources(data, guess[:, 0], guess[:, 1], box_size=box, centroid_func=centroid_com)
            places = np.column_stack([x, y])
        aperture = CircularAperture(places, r=radius)
        annulus = CircularAnnulus(places, r_in=radius, r_out=2 * radius)
        background = ApertureStats(data, annulus, sigma_clip=None).median
        table = aperture_photometry(data, aperture)
        net = table["aperture_sum"] - background * aperture.area
        assert np.all(np.isfinite(net))
    elapsed = time.perf_counter() - start
    print("%.2f" % (len(files) / elapsed))


if __name__ == "__main__":
    if sys.argv[1] == "generate":
        generate(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]))
    else:
        measure(sys.argv[2], float(sys.argv[3]), int(sys.argv[4]))
